// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// `text` (UTF-8) as a quoted JSON string, its control characters and line
// separators escaped.
std::string JsonString(std::string_view text);

// Writes each U+2028 and U+2029 in `text` from `from` on as "\u2028" and
// "\u2029": JavaScript and many line readers take them for line breaks, and
// a printed row is one line.
void EscapeLineSeparators(std::string& text, std::size_t from = 0);
