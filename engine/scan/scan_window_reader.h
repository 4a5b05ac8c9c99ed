// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bytes of a backup as the catalogue scan walks it front to back: the
// current window, and the fields of its blocks that lie past it. Everything
// is read on the caller's thread into two buffers reused for every read
// (the kernel's own read-ahead already overlaps the disk with the scan), and
// unreadable sectors read as zeros.
//
// A read made for the fields past a window becomes the next window when that
// starts inside it. A scan that jumps over a file's data thus costs one read
// of a few KiB per file: the end of its data, its checksum and the next
// block come in one read, and the data themselves are never copied.

#include "byte_view.h"
#include "recovering_read.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class BkfFileHandle;

class ScanWindowReader {
public:
    struct Window {
        std::uint64_t position = 0; // backup position of bytes[0]
        ByteView bytes;             // unreadable sectors read as zeros
        const RecoveringRead* read = nullptr; // which sectors of its read, and why
    };

    // Reads from `file`, `fileSize` bytes long; the file must outlive this object.
    ScanWindowReader(const BkfFileHandle& file, std::uint64_t fileSize);

    // The window [position, position + length) of a position on the 512-byte
    // grid, or the part of it an earlier read holds already; fewer bytes at
    // the end of the backup, nullptr at or past it. Valid until the next call.
    // A field just past it brings in the window that follows, of the same
    // length, with it.
    const Window* WindowAt(std::uint64_t position, std::size_t length);
    // The backup position of a byte inside the window.
    std::uint64_t PositionOf(const std::uint8_t* byte) const
    {
        return m_view.position + static_cast<std::uint64_t>(byte - m_view.bytes.data());
    }

    // The bytes [position, position + length), or fewer when the backup ends
    // sooner (none when it starts past the end). Valid until the next call of
    // either function.
    ByteView Fetch(std::uint64_t position, std::size_t length)
    {
        // Most fields lie in the window's read: answered here, without a call.
        const std::uint64_t within = position - m_heldPosition;
        if (position >= m_heldPosition && within < m_held.size() && length <= m_held.size() - within)
            return ByteView(m_held.data() + within, length);
        return FetchPastWindow(position, length);
    }

    // How many bytes a read for a field away from the window takes in, from
    // the field on (within 512 bytes and 8 KiB): enough for the block that
    // follows it to become a whole window.
    void SetFieldRead(std::size_t bytes);

private:
    struct Buffer {
        std::vector<std::uint8_t> bytes;
        std::uint64_t position = 0;
        std::size_t valid = 0; // bytes read from position on
        RecoveringRead read;
        bool Holds(std::uint64_t at, std::size_t length) const
        {
            return at >= position && at - position <= valid && length <= valid - (at - position);
        }
    };

    ByteView FetchPastWindow(std::uint64_t position, std::size_t length);
    void Read(Buffer& buffer, std::uint64_t position, std::size_t length);
    void ReadAhead(std::uint64_t position, std::size_t length);

    const BkfFileHandle& m_file;
    const std::uint64_t m_fileSize;
    Buffer m_window;
    Buffer m_ahead; // a read past the window, for fields and the next window
    Window m_view;
    ByteView m_held; // all bytes of the window's read, from m_heldPosition
    std::uint64_t m_heldPosition = 0;
    std::size_t m_length = 0; // asked for the window
    std::size_t m_fieldRead;  // bytes read for a field away from the window
};
