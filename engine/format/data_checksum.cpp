// SPDX-License-Identifier: GPL-3.0-or-later
#include "data_checksum.h"

#include <cstring>

void DataChecksum::Add(const std::uint8_t* data, std::size_t length)
{
    std::size_t at = 0;
    // Bytes one at a time until the data line up with a word start, then
    // eight at a time: byte lanes survive XOR whatever the machine's order.
    while (at < length && m_phase != 0) {
        m_lanes[m_phase] ^= data[at++];
        m_phase = (m_phase + 1) % 4;
    }
    for (; at + 8 <= length; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + at, 8);
        m_words ^= word;
    }
    for (; at < length; ++at) {
        m_lanes[m_phase] ^= data[at];
        m_phase = (m_phase + 1) % 4;
    }
}

std::uint32_t DataChecksum::Value() const
{
    std::uint8_t bytes[8];
    std::memcpy(bytes, &m_words, 8);
    std::uint32_t value = 0;
    for (std::size_t lane = 0; lane < 4; ++lane) {
        const std::uint8_t byte = static_cast<std::uint8_t>(m_lanes[lane] ^ bytes[lane] ^ bytes[lane + 4]);
        value |= static_cast<std::uint32_t>(byte) << (8 * lane);
    }
    return value;
}

void DataChecksum::Merge(const DataChecksum& other)
{
    m_words ^= other.m_words;
    for (std::size_t lane = 0; lane < 4; ++lane)
        m_lanes[lane] ^= other.m_lanes[lane];
}
