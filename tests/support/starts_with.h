// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

inline bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}
