// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How long a catalogue path and the names in it may be.

#include <cstddef>
#include <string_view>

struct PathLimits {
    std::size_t path = 260;          // characters of the whole catalogue path
    std::size_t directoryName = 255; // characters of a DIRB name, prefix backslash included
    std::size_t component = 0;       // characters of one component; 0: no separate limit

    // 260 / 255 by default; the deep scan keeps paths of up to 1,024
    // characters whose components have at most 255.
    static PathLimits For(bool deep);
    bool Fits(std::string_view cataloguePath) const;
};
