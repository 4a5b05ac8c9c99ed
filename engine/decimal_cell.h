// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the decimal numbers that the catalogue shows as text.

#include <cstdint>
#include <string_view>

// Leading white space skipped, an optional sign, then digits up to the first
// non-digit; no digits gives 0. Values beyond the type's range saturate.
std::int64_t ReadListInt64(std::string_view text);
std::uint64_t ReadListUInt64(std::string_view text);
