// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The room engine/io/: reading the backup and asking the file system. The
// backup's handle (bkf_file_handle), reads that survive bad sectors
// (recovering_read), the copy's read-ahead (copy_read_ahead, copy_source),
// pipe reads for the mount (spliced_read), bounded views and ranges of bytes
// (byte_view, byte_range) and the file-system questions (file_system). The
// system calls live in *_posix.cpp.
//
// One open, read-only handle of a backup file with 64-bit positions.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// What tells a file from another one put in its place under the same name,
// or from itself changed since. The change time is part of it: a copy or a
// sync that puts the modification time back (cp -p, touch -r, rsync -t)
// cannot set it.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t changedSeconds = 0;
    std::int64_t changedNanoseconds = 0;

    bool operator==(const FileIdentity& other) const;
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

class BkfFileHandle {
public:
    BkfFileHandle() = default;
    virtual ~BkfFileHandle();
    BkfFileHandle(const BkfFileHandle&) = delete;
    BkfFileHandle& operator=(const BkfFileHandle&) = delete;

    // Closes any handle held, then opens an existing regular file (or block
    // device) for reading only. Never blocks on a FIFO or a device that
    // waits for a peer. On failure the object stays empty and LastError()
    // says why.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const;

    // Size in bytes, or nothing when it cannot be told.
    virtual std::optional<std::uint64_t> Size() const;

    // Reads up to `length` bytes at `position`; returns the bytes read (short
    // at the end of the file or before a read error), or nothing when the
    // first byte cannot be read, with the system's error code left set.
    // Virtual so that tests can stand in a disk with bad sectors.
    virtual std::optional<std::size_t> ReadAt(std::uint64_t position, void* buffer, std::size_t length) const;
    // The same as ReadAt, but the bytes go into the pipe whose write end is
    // `pipe`, as references to the cached pages (no copy) where the system
    // can; one call, which never waits for room in the pipe. Nothing where
    // the system cannot do this.
    virtual std::optional<std::size_t> SpliceAt(std::uint64_t position, int pipe, std::size_t length) const;

    // Tells the system that [position, position + length) will be read soon,
    // so that it reads it from the disk meanwhile. Only a hint: no effect
    // where the system takes none.
    void HintWillRead(std::uint64_t position, std::uint64_t length) const;

    // The file as it was when it was opened (kept after Close): its size is
    // the size a scan that began then started with.
    const FileIdentity& OpenedAs() const { return m_openedAs; }
    // Who the open file is: its device, inode, and modification and change
    // times in nanoseconds (nothing where the system cannot tell).
    struct Stamp {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t modifiedNs = 0;
        std::int64_t changedNs = 0;
        bool regularFile = false; // not a device, whose date does not follow its content
    };
    std::optional<Stamp> FileStamp() const;

    const std::string& Path() const { return m_path; }
    const std::string& LastError() const { return m_lastError; }

private:
    int m_fd = -1;
    std::string m_path;
    std::string m_lastError;
    FileIdentity m_openedAs;
};
