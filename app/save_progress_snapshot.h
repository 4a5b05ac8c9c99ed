// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a save stands, as its worker last saw it: a copy handed to the window.

#include <cstddef>
#include <cstdint>
#include <string>

struct SaveProgressSnapshot {
    std::size_t rowCount = 0;    // the progress bar runs over 0 .. rowCount
    std::size_t rowPosition = 0; // the row last handled
    std::string currentPath;     // catalogue path of the file being written
    std::uint64_t bytesCopied = 0;
    std::uint64_t bytesChosen = 0;
};
