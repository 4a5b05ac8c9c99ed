// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the cells both lists share: a size in human units with its
// exact byte count for the tooltip, and a block's date in the desktop
// locale's short format.

#include <QString>

#include <cstdint>

// "1.0 MiB"; empty when the data were not located.
QString SizeText(bool located, std::uint64_t size);
// "1,046,722 bytes", grouped as the locale groups digits; empty when not located.
QString ExactSizeText(bool located, std::uint64_t size);
// The packed date in local time and the locale's short format; empty when unknown.
QString DateText(std::uint64_t packedDate);
