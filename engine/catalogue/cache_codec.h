// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The byte encoding of the catalogue cache: little-endian varints, strings
// with their length, and a running hash of every byte (StreamHash), written
// to a file in 1 MiB pieces and read back through a bounded buffer.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// FNV-1a over `bytes`, continuing from `hash`.
std::uint64_t HashBytes(const void* bytes, std::size_t length, std::uint64_t hash = 14695981039346656037ULL);

// A running 64-bit hash of a byte stream, the same however the stream is
// cut into pieces: FNV-1a's step over little-endian 64-bit words (an eighth
// of the multiplications of a step per byte), then over the last partial
// word and the length. A change to any one word changes it.
class StreamHash {
public:
    void Add(const void* bytes, std::size_t length);
    std::uint64_t Value() const;

private:
    void Mix(std::uint64_t word) { m_hash = (m_hash ^ word) * 1099511628211ULL; }

    std::uint64_t m_hash = 14695981039346656037ULL;
    std::uint64_t m_tail = 0; // the bytes of an unfinished word, the first lowest
    unsigned m_tailBytes = 0;
    std::uint64_t m_length = 0;
};

class CacheEncoder {
public:
    explicit CacheEncoder(int fd) : m_fd(fd) {}

    void Byte(std::uint8_t value) { m_buffer.push_back(static_cast<char>(value)); }
    void Varint(std::uint64_t value);
    void Fixed64(std::uint64_t value);
    void Text(std::string_view text);
    void Raw(std::string_view bytes) { m_buffer.append(bytes); }
    // Writes what is buffered once it passes 1 MiB; false once a write failed.
    bool FlushSome() { return m_buffer.size() < (1u << 20) || Flush(); }
    // Writes everything buffered and hashed so far.
    bool Flush();
    // Appends the hash of everything before it and writes it out.
    bool Finish();
    std::uint64_t Written() const { return m_written + m_buffer.size(); }
    // What is encoded and not yet written.
    const std::string& Buffered() const { return m_buffer; }

private:
    int m_fd;
    std::string m_buffer;
    StreamHash m_hash;
    std::uint64_t m_written = 0;
    bool m_failed = false;
};

class CacheDecoder {
public:
    // Reads `fd` from its start up to `end` (the position of the trailing hash).
    CacheDecoder(int fd, std::uint64_t end) : m_fd(fd), m_end(end) {}

    // Every read fails (and Failed() says so) once the data run out or are malformed.
    std::uint8_t Byte()
    {
        if (m_at == m_buffer.size())
            return RefillAndTakeByte();
        ++m_position;
        return static_cast<std::uint8_t>(m_buffer[m_at++]);
    }
    std::uint64_t Varint();
    std::uint64_t Fixed64();
    // A string of at most `limit` bytes.
    std::string_view Text(std::size_t limit);
    bool AtEnd() const { return m_position == m_end; }
    // True at the end when the 8 bytes after it hold the hash of all the bytes before.
    bool HashHolds() const;
    bool Failed() const { return m_failed; }
    void Fail() { m_failed = true; }

private:
    // Makes `count` more bytes available at m_buffer[m_at]; false at the end.
    bool Need(std::size_t count);
    std::uint8_t RefillAndTakeByte();

    int m_fd;
    std::uint64_t m_end;
    std::uint64_t m_position = 0; // file position of m_buffer[m_at]
    std::string m_buffer;
    std::size_t m_at = 0;
    bool m_failed = false;
    StreamHash m_hash;
};
