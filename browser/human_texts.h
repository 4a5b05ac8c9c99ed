// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sizes and rates as the window shows them: the engine's units with the
// locale's decimal separator, the words in the user's language.

#include "human_units.h"

#include <QLocale>
#include <QString>

#include <cstdint>

// "63,5 MiB" under a German locale.
QString HumanBytesText(std::uint64_t bytes, const QLocale& locale = QLocale());
// "362,0 MiB/s, noch 0:03" under a German locale.
QString RateText(const RateMeter::Rate& rate, const QLocale& locale = QLocale());
