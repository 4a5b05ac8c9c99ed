// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one check of the prefix that names a save's output root folder, used
// by the window's settings and by bkf-recover's --prefix.

#include <string_view>

enum class PrefixFault {
    None,
    Empty,
    DotName,            // "." or "..": would name the destination or its parent
    ControlCharacter,   // U+0000-U+001F or U+007F
    ForbiddenCharacter, // one of / \ | * : ? < > '
};

// The first fault of `prefix` (UTF-8), in the order above, or None. Spaces,
// a double quote and a trailing dot or space are accepted.
PrefixFault CheckPrefix(std::string_view prefix);
