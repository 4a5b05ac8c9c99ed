// SPDX-License-Identifier: GPL-3.0-or-later
#include "byte_range.h"

void AddRange(std::vector<ByteRange>& ranges, std::uint64_t offset, std::uint64_t length)
{
    if (length == 0)
        return;
    if (!ranges.empty() && ranges.back().End() == offset)
        ranges.back().length += length;
    else
        ranges.push_back({offset, length});
}

std::uint64_t TotalLength(const std::vector<ByteRange>& ranges)
{
    std::uint64_t total = 0;
    for (const ByteRange& range : ranges)
        total += range.length;
    return total;
}

std::string RangesText(const std::vector<ByteRange>& ranges)
{
    std::string text;
    for (const ByteRange& range : ranges) {
        text.append(text.empty() ? "" : ", ").append(std::to_string(range.offset)).append("-");
        text.append(std::to_string(range.End() - 1));
    }
    return text;
}
