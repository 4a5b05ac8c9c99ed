// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A run of bytes, and a list of runs that merges neighbours as they are added.

#include <cstdint>
#include <string>
#include <vector>

struct ByteRange {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    std::uint64_t End() const { return offset + length; }
};

// Adds [offset, offset + length) to `ranges`, which are kept in ascending
// order when added in ascending order: a run that continues the last one is
// merged into it.
void AddRange(std::vector<ByteRange>& ranges, std::uint64_t offset, std::uint64_t length);

std::uint64_t TotalLength(const std::vector<ByteRange>& ranges);

// "first-last, first-last, ...", each range by its first and last byte.
std::string RangesText(const std::vector<ByteRange>& ranges);
