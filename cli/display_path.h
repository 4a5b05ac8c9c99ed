// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How bkf-recover shows a catalogue path: "\" written as "/", which is also
// the relative path that the file gets below the output root.

#include <algorithm>
#include <string>
#include <string_view>

// Writes "\" as "/" in [begin, end): by a select, not a branch, which the
// compiler vectorises (a branch on every separator mispredicts).
inline void SlashSeparators(char* begin, char* end)
{
    std::transform(begin, end, begin, [](char c) { return c == '\\' ? '/' : c; });
}

inline std::string DisplayPath(std::string_view cataloguePath)
{
    std::string path(cataloguePath);
    SlashSeparators(path.data(), path.data() + path.size());
    return path;
}
