// SPDX-License-Identifier: GPL-3.0-or-later
#include "cache_codec.h"

#include <algorithm>
#include <cerrno>

#include <unistd.h>

namespace {

constexpr std::size_t kPiece = 1u << 20;
constexpr std::size_t kLongestVarint = 10; // bytes of a 64-bit value, 7 bits a byte

bool WriteAll(int fd, const char* data, std::size_t length)
{
    while (length > 0) {
        const ssize_t wrote = ::write(fd, data, length);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        data += wrote;
        length -= static_cast<std::size_t>(wrote);
    }
    return true;
}

// Reads up to `length` bytes at `position`; the count read.
std::size_t ReadSome(int fd, std::uint64_t position, char* buffer, std::size_t length)
{
    std::size_t total = 0;
    while (total < length) {
        const ssize_t got = ::pread(fd, buffer + total, length - total, static_cast<off_t>(position + total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        total += static_cast<std::size_t>(got);
    }
    return total;
}

} // namespace

std::uint64_t HashBytes(const void* bytes, std::size_t length, std::uint64_t hash)
{
    const auto* data = static_cast<const std::uint8_t*>(bytes);
    for (std::size_t i = 0; i < length; ++i)
        hash = (hash ^ data[i]) * 1099511628211ULL;
    return hash;
}

void StreamHash::Add(const void* bytes, std::size_t length)
{
    const auto* data = static_cast<const std::uint8_t*>(bytes);
    m_length += length;
    for (; length > 0 && m_tailBytes != 0; ++data, --length) {
        m_tail |= std::uint64_t{*data} << (8 * m_tailBytes);
        if (++m_tailBytes == 8) {
            Mix(m_tail);
            m_tail = 0;
            m_tailBytes = 0;
        }
    }
    for (; length >= 8; data += 8, length -= 8) {
        std::uint64_t word = 0;
        for (unsigned at = 0; at < 8; ++at)
            word |= std::uint64_t{data[at]} << (8 * at); // one load where the processor is little-endian
        Mix(word);
    }
    for (; length > 0; ++data, --length)
        m_tail |= std::uint64_t{*data} << (8 * m_tailBytes++);
}

std::uint64_t StreamHash::Value() const
{
    StreamHash end = *this;
    if (end.m_tailBytes != 0)
        end.Mix(end.m_tail);
    end.Mix(end.m_length);
    return end.m_hash;
}

void CacheEncoder::Varint(std::uint64_t value)
{
    while (value >= 0x80) {
        Byte(static_cast<std::uint8_t>(value | 0x80));
        value >>= 7;
    }
    Byte(static_cast<std::uint8_t>(value));
}

void CacheEncoder::Fixed64(std::uint64_t value)
{
    for (int i = 0; i < 8; ++i)
        Byte(static_cast<std::uint8_t>(value >> (8 * i)));
}

void CacheEncoder::Text(std::string_view text)
{
    Varint(text.size());
    Raw(text);
}

bool CacheEncoder::Flush()
{
    m_hash.Add(m_buffer.data(), m_buffer.size());
    m_failed = m_failed || !WriteAll(m_fd, m_buffer.data(), m_buffer.size());
    m_written += m_buffer.size();
    m_buffer.clear();
    return !m_failed;
}

bool CacheEncoder::Finish()
{
    if (!Flush())
        return false;
    Fixed64(m_hash.Value());
    m_failed = m_failed || !WriteAll(m_fd, m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    return !m_failed;
}

bool CacheDecoder::Need(std::size_t count)
{
    if (m_failed)
        return false;
    if (m_buffer.size() - m_at >= count)
        return true;
    if (m_end - m_position < count) {
        m_failed = true;
        return false;
    }
    m_buffer.erase(0, m_at);
    m_at = 0;
    const std::size_t kept = m_buffer.size();
    const std::uint64_t want = std::min<std::uint64_t>(m_end - m_position - kept, std::max(kPiece, count));
    m_buffer.resize(kept + static_cast<std::size_t>(want));
    const std::size_t got = ReadSome(m_fd, m_position + kept, m_buffer.data() + kept, static_cast<std::size_t>(want));
    m_buffer.resize(kept + got);
    // Every byte before the end enters the buffer once: hashed as it comes.
    m_hash.Add(m_buffer.data() + kept, got);
    m_failed = m_buffer.size() < count;
    return !m_failed;
}

std::uint8_t CacheDecoder::RefillAndTakeByte()
{
    if (!Need(1))
        return 0;
    ++m_position;
    return static_cast<std::uint8_t>(m_buffer[m_at++]);
}

std::uint64_t CacheDecoder::Varint()
{
    // Most values lie whole in the buffer: decoded there without a check per byte.
    if (m_buffer.size() - m_at >= kLongestVarint) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(m_buffer.data() + m_at);
        std::uint64_t value = 0;
        for (std::size_t at = 0; at < kLongestVarint; ++at) {
            value |= std::uint64_t{bytes[at] & 0x7Fu} << (7 * at);
            if ((bytes[at] & 0x80) == 0) {
                m_at += at + 1;
                m_position += at + 1;
                return value;
            }
        }
        m_failed = true;
        return 0;
    }
    std::uint64_t value = 0;
    for (unsigned shift = 0; shift < 64; shift += 7) {
        const std::uint8_t byte = Byte();
        value |= std::uint64_t{byte & 0x7Fu} << shift;
        if ((byte & 0x80) == 0)
            return value;
    }
    m_failed = true;
    return 0;
}

std::uint64_t CacheDecoder::Fixed64()
{
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i)
        value |= std::uint64_t{Byte()} << (8 * i);
    return value;
}

std::string_view CacheDecoder::Text(std::size_t limit)
{
    const std::uint64_t length = Varint();
    if (length > limit)
        m_failed = true;
    if (!Need(static_cast<std::size_t>(length)))
        return {};
    const std::string_view text(m_buffer.data() + m_at, static_cast<std::size_t>(length));
    m_at += text.size();
    m_position += text.size();
    return text;
}

bool CacheDecoder::HashHolds() const
{
    unsigned char tail[8];
    if (!AtEnd() || m_failed || ReadSome(m_fd, m_end, reinterpret_cast<char*>(tail), 8) != 8)
        return false;
    std::uint64_t stored = 0;
    for (int i = 0; i < 8; ++i)
        stored |= std::uint64_t{tail[i]} << (8 * i);
    return stored == m_hash.Value();
}
