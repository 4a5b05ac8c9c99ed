// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One reading thread's way of taking a range of the backup to hand on (a
// mounted file's read): moved into a pipe without a copy when every byte of
// it reads, otherwise copied into memory, where an unreadable sector reads as
// zeros as everywhere else. Only what was read whole goes into the pipe, so
// whoever empties it meets no read error of the backup.

#include "byte_view.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class BkfFileHandle;

class SplicedRead {
public:
    // The pipe's size: a range up to a page shorter goes into it; a longer one is copied.
    static constexpr std::size_t kPipeSize = 1 << 20;

    SplicedRead();
    ~SplicedRead();
    SplicedRead(const SplicedRead&) = delete;
    SplicedRead& operator=(const SplicedRead&) = delete;

    // Takes [position, position + length) of `backup` (a range inside it).
    // True when the pipe (read it from PipeOut()) holds exactly these bytes;
    // false when Bytes() holds them.
    bool Take(const BkfFileHandle& backup, std::uint64_t position, std::size_t length);
    int PipeOut() const { return m_pipe[0]; }
    ByteView Bytes() const { return m_bytes; }
    // Throws away what the pipe still holds (a reply that did not take it all).
    void EmptyPipe();

private:
    bool Splice(const BkfFileHandle& backup, std::uint64_t position, std::size_t length);

    int m_pipe[2] = {-1, -1};
    std::size_t m_pipeBytes = 0; // what the pipe can hold: 0 without a pipe
    std::vector<std::uint8_t> m_buffer;
    ByteView m_bytes;
};
