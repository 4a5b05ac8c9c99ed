// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which names taken from a backup may enter the catalogue.

#include <cstddef>
#include <string>
#include <string_view>

// False when the UTF-8 text holds a control character (U+0000-U+001F,
// U+007F-U+009F), an unpaired surrogate or a malformed sequence, any of
// "|*:?<>" or "/", or a "\"-separated component that is exactly "." or "..".
// The apostrophe is allowed: it is common in Windows names ("John's file").
// The empty text is clean.
bool IsCleanName(std::string_view text);

// Collapses every run of "\" into one: a doubled NUL unit in a DIRB name
// (an empty component) reads as one separator.
void CollapseSeparators(std::string& text);

// Number of characters (code points) in a UTF-8 text.
std::size_t Utf8Length(std::string_view text);
