// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A backup on a disk with bad sectors: a read (or splice) that reaches a
// failing range comes back short at its start, and one that starts inside it
// fails with EIO, as pread does on a real failing disk.

#include "bkf_file_handle.h"

#include <cstdint>
#include <vector>

class FailingFile : public BkfFileHandle {
public:
    void FailRange(std::uint64_t offset, std::uint64_t length) { m_failing.push_back({offset, offset + length}); }
    // Every read fails.
    void FailEverything() { FailRange(0, UINT64_MAX); }

    std::optional<std::size_t> ReadAt(std::uint64_t position, void* buffer, std::size_t length) const override;
    std::optional<std::size_t> SpliceAt(std::uint64_t position, int pipe, std::size_t length) const override;

private:
    // How much of a read at `position` comes back; nothing (EIO) inside a failing range.
    std::optional<std::size_t> Readable(std::uint64_t position, std::size_t length) const;

    struct Range {
        std::uint64_t begin, end;
    };
    std::vector<Range> m_failing;
};
