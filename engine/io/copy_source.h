// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a save takes the bytes of the files it copies: from a read-ahead over
// the ranges it will copy, in the order it copies them, or straight from the
// backup, a slice at a time, for a range asked for out of that order.

#include "byte_range.h"
#include "byte_view.h"
#include "copy_read_ahead.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class BkfFileHandle;

class CopySource {
public:
    static constexpr std::size_t kSliceSize = CopyReadAhead::kSliceSize;

    // The next slice of a range being copied.
    struct Piece {
        ByteView bytes;
        std::vector<ByteRange> unreadable; // backup positions inside the piece that read as zeros
    };

    // `ahead`: the ranges that will be asked for, in order (none: every read
    // is a direct one). The backup must outlive this object.
    CopySource(const BkfFileHandle& backup, const std::vector<ByteRange>& ahead);
    ~CopySource();
    CopySource(const CopySource&) = delete;
    CopySource& operator=(const CopySource&) = delete;

    // The slice of range number `range` at `position`: the bytes from there up
    // to `end` or 64 KiB, whichever comes first (`position` < `end`, both inside
    // the backup). Valid until the next call.
    const Piece& Read(std::size_t range, std::uint64_t position, std::uint64_t end);

private:
    bool TakeFromReadAhead(std::size_t range, std::uint64_t position, std::size_t length);

    const BkfFileHandle& m_backup;
    std::unique_ptr<CopyReadAhead> m_ahead;
    const CopyReadAhead::Slice* m_pending = nullptr; // read ahead, not yet asked for
    std::vector<std::uint8_t> m_slice;
    Piece m_piece;
};
