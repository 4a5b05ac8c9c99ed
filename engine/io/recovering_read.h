// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading from a backup on a failing disk: a bad sector costs only itself.

#include "byte_range.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class BkfFileHandle;

constexpr std::size_t kSectorSize = 512;

struct RecoveringRead {
    std::vector<ByteRange> unreadable; // backup positions that read as zeros
    std::string error;                 // the system's words for the first failure
};

// Fills buffer[0, length) with the backup's bytes at [position, position +
// length), a range that lies inside the file. When the read fails or comes
// back short, the unread part is read again sector by sector (on the 512-byte
// grid of the backup) and only the sectors that still fail become zeros; they
// are added to `result`.
void ReadRecovering(const BkfFileHandle& file, std::uint64_t position, std::uint8_t* buffer, std::size_t length,
                    RecoveringRead& result);
