// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Bounded little-endian access to untrusted bytes. Every read of backup data
// goes through ByteView, which answers "not there" instead of reading past
// its end.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

class ByteView {
public:
    ByteView() = default;
    ByteView(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    const std::uint8_t* data() const { return m_data; }
    std::size_t size() const { return m_size; }

    // True when [offset, offset + length) lies wholly inside the view.
    bool Contains(std::size_t offset, std::size_t length) const
    {
        return offset <= m_size && length <= m_size - offset;
    }

    // The sub-view [offset, offset + length), or nothing when it does not fit.
    std::optional<ByteView> Slice(std::size_t offset, std::size_t length) const
    {
        if (!Contains(offset, length))
            return std::nullopt;
        return ByteView(m_data + offset, length);
    }

    std::optional<std::uint16_t> Le16(std::size_t offset) const
    {
        if (!Contains(offset, 2))
            return std::nullopt;
        return static_cast<std::uint16_t>(m_data[offset] | (m_data[offset + 1] << 8));
    }

    std::optional<std::uint32_t> Le32(std::size_t offset) const
    {
        if (!Contains(offset, 4))
            return std::nullopt;
        return static_cast<std::uint32_t>(m_data[offset] | (m_data[offset + 1] << 8) | (m_data[offset + 2] << 16)
                                          | (static_cast<std::uint32_t>(m_data[offset + 3]) << 24));
    }

    std::optional<std::uint64_t> Le64(std::size_t offset) const
    {
        if (!Contains(offset, 8))
            return std::nullopt;
        std::uint64_t value = 0;
        for (int i = 7; i >= 0; --i)
            value = (value << 8) | m_data[offset + static_cast<std::size_t>(i)];
        return value;
    }

    // Position of the first occurrence of the four bytes `needle` that starts
    // at or after `from` and before `limit`, with the whole match inside the view.
    std::optional<std::size_t> Find4(const char* needle, std::size_t from, std::size_t limit) const
    {
        if (m_size < 4)
            return std::nullopt;
        const std::size_t last = std::min(limit, m_size - 3); // one past the last possible start
        std::size_t i = from;
        while (i < last) {
            const void* first = std::memchr(m_data + i, needle[0], last - i);
            if (!first)
                return std::nullopt;
            i = static_cast<std::size_t>(static_cast<const std::uint8_t*>(first) - m_data);
            if (std::memcmp(m_data + i, needle, 4) == 0)
                return i;
            ++i;
        }
        return std::nullopt;
    }

private:
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
};
