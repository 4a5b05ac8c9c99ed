// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where values lie in test bytes: little-endian fields and grid alignment.

#include <cstddef>
#include <cstdint>
#include <vector>

inline std::uint16_t Le16(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

inline std::uint64_t Le64(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    std::uint64_t value = 0;
    for (int k = 7; k >= 0; --k)
        value = (value << 8) | bytes[at + static_cast<std::size_t>(k)];
    return value;
}

// `value` rounded up to the next multiple of `grid`.
inline std::size_t AlignUp(std::size_t value, std::size_t grid)
{
    return (value + grid - 1) / grid * grid;
}
