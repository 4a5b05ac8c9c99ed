// SPDX-License-Identifier: GPL-3.0-or-later
#include "prefix_check.h"

PrefixFault CheckPrefix(std::string_view prefix)
{
    if (prefix.empty())
        return PrefixFault::Empty;
    if (prefix == "." || prefix == "..")
        return PrefixFault::DotName;
    for (const char c : prefix) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return PrefixFault::ControlCharacter;
    }
    if (prefix.find_first_of("/\\|*:?<>'") != std::string_view::npos)
        return PrefixFault::ForbiddenCharacter;
    return PrefixFault::None;
}
