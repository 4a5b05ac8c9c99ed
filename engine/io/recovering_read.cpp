// SPDX-License-Identifier: GPL-3.0-or-later
#include "recovering_read.h"

#include "bkf_file_handle.h"
#include "file_system.h"

#include <algorithm>
#include <cstring>

namespace {

// Reads one piece; returns the bytes read (short at a failure or the end).
std::size_t ReadPiece(const BkfFileHandle& file, std::uint64_t position, std::uint8_t* buffer, std::size_t length,
                      RecoveringRead& result)
{
    const auto got = file.ReadAt(position, buffer, length);
    if (got && *got >= length)
        return length;
    if (!got && result.error.empty())
        result.error = LastSystemError();
    return got ? *got : 0;
}

} // namespace

void ReadRecovering(const BkfFileHandle& file, std::uint64_t position, std::uint8_t* buffer, std::size_t length,
                    RecoveringRead& result)
{
    std::size_t done = ReadPiece(file, position, buffer, length, result);
    while (done < length) {
        const std::uint64_t at = position + done;
        // Up to the next sector boundary of the backup, so that retries line up with the disk's sectors.
        const std::size_t piece = std::min<std::size_t>(length - done, kSectorSize - at % kSectorSize);
        const std::size_t got = ReadPiece(file, at, buffer + done, piece, result);
        if (got < piece) {
            std::memset(buffer + done + got, 0, piece - got);
            AddRange(result.unreadable, at + got, piece - got);
        }
        done += piece;
    }
}
