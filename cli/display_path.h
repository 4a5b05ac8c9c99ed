// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How bkf-recover shows a catalogue path: "\" written as "/", which is also
// the relative path that the file gets below the output root.

#include <algorithm>
#include <string>
#include <string_view>

inline std::string DisplayPath(std::string_view cataloguePath)
{
    std::string path(cataloguePath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}
