// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How long a catalogue path and the names in it may be: paths of up to 1,024
// characters whose components have at most 255.

#include <cstddef>
#include <string_view>

struct PathLimits {
    std::size_t path = 1024;          // characters of the whole catalogue path
    std::size_t directoryName = 1024; // characters of a DIRB name, prefix backslash included
    std::size_t component = 255;      // characters of one component; 0: no separate limit

    bool Fits(std::string_view cataloguePath) const;
};
