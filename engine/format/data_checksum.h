// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The XOR of a file's data taken as little-endian 32-bit words, the value a
// CSUM stream holds. Fed slice by slice as the data are copied; a last
// partial word counts as if padded with zeros.

#include <cstddef>
#include <cstdint>

class DataChecksum {
public:
    void Add(const std::uint8_t* data, std::size_t length);
    std::uint32_t Value() const;
    // Takes in the data another checksum was fed, which began a multiple of 4
    // bytes after this one's first byte: the runs of a file checked apart.
    void Merge(const DataChecksum& other);

private:
    std::uint64_t m_words = 0;     // XOR of 8-byte loads, in the machine's order
    std::uint8_t m_lanes[4] = {};  // XOR of the bytes taken one at a time, by word position
    std::size_t m_phase = 0;       // bytes so far, modulo 4
};
