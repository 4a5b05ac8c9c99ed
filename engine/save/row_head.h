// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first bytes of one row's data, read the way a save reads them, for a
// look inside a file before it is saved.

#include "byte_range.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class BkfFileHandle;
struct CatalogueRow;

struct RowHead {
    std::vector<std::uint8_t> bytes;   // at most the limit asked; unreadable sectors as zeros
    std::vector<ByteRange> unreadable; // positions inside the file's data that read as zeros
    std::uint64_t available = 0;       // bytes of the file's data the backup holds
    bool cutShort = false;             // the data end at `available`, before the file's size
    // Whether the recorded data checksum holds: known only when the whole
    // file was read and the backup recorded one.
    std::optional<bool> checksumHolds;
};

// Reads at most `limit` bytes from the start of `row`'s data, and never past
// what the backup holds for it. Sectors that cannot be read are zeros.
RowHead ReadRowHead(const BkfFileHandle& backup, const CatalogueRow& row, std::size_t limit);
