// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads a backup front to back on the caller's thread, into two buffers that
// are reused for every chunk; unreadable sectors read as zeros. The kernel's
// own read-ahead already overlaps the disk with the caller's work; a reading
// thread of our own would add two context switches per chunk and rotating
// buffers that do not stay in the processor's cache.

#include "byte_view.h"
#include "recovering_read.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class BkfFileHandle;

class SequentialReader {
public:
    struct Chunk {
        std::uint64_t position = 0; // backup position of bytes[0]
        ByteView bytes;             // unreadable sectors read as zeros
        RecoveringRead read;        // which ones, and why
    };

    // Reads [begin, end) of `file`, a range inside it; the file must outlive
    // this object. Chunks start at `begin` + a multiple of `chunkSize`, which
    // should be a multiple of the caller's own windows.
    SequentialReader(const BkfFileHandle& file, std::uint64_t begin, std::uint64_t end, std::size_t chunkSize);

    // The next chunk in file order, or nullptr after the last. The chunk stays
    // valid until the call after the next.
    const Chunk* Next();
    // The chunk that the next call of Next will return, read now (once) into
    // the other buffer, so that the caller can look past the end of the
    // current chunk without a read of its own; nullptr after the last.
    const Chunk* Peek();
    // The next chunk starts at `position` (of the caller's grid) instead,
    // when that lies further on: the bytes between are not read.
    void SkipTo(std::uint64_t position);

private:
    void Read(Chunk& chunk, std::uint8_t* buffer);

    const BkfFileHandle& m_file;
    const std::uint64_t m_end;
    const std::size_t m_chunkSize;
    std::uint64_t m_next;
    std::unique_ptr<std::uint8_t[]> m_buffers[2];
    Chunk m_chunks[2];
    int m_current = 1;     // the chunk last handed out
    bool m_peeked = false; // the other chunk holds the next one already
};
