// SPDX-License-Identifier: GPL-3.0-or-later
#include "saved_file_check.h"

#include "bkf_file_handle.h"
#include "catalogue_store.h"
#include "data_checksum.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Bytes compared at each end of a file that has no checksum to check.
constexpr std::uint64_t kEdgeBytes = 4096;

// Reads `length` bytes of the file at `at` into `into`; false when they are not all there.
bool ReadFileRange(int fd, std::uint64_t at, std::vector<std::uint8_t>& into)
{
    for (std::size_t done = 0; done < into.size();) {
        const ssize_t got = ::pread(fd, into.data() + done, into.size() - done, static_cast<off_t>(at + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

// Reads `into.size()` bytes of the backup at `at`; false when they are not all there.
bool ReadBackupRange(const BkfFileHandle& backup, std::uint64_t at, std::vector<std::uint8_t>& into)
{
    for (std::size_t done = 0; done < into.size();) {
        const auto got = backup.ReadAt(at + done, into.data() + done, into.size() - done);
        if (!got || *got == 0)
            return false;
        done += *got;
    }
    return true;
}

// True when `length` bytes at `at` in the file equal those at `backupAt` in the backup.
bool SameBytes(int fd, std::uint64_t at, const BkfFileHandle& backup, std::uint64_t backupAt, std::uint64_t length)
{
    std::vector<std::uint8_t> saved(static_cast<std::size_t>(length));
    std::vector<std::uint8_t> original(saved.size());
    return ReadFileRange(fd, at, saved) && ReadBackupRange(backup, backupAt, original) && saved == original;
}

// True when the first and the last bytes of the file equal the row's data.
bool SameEdges(int fd, const ByteRange& data, const BkfFileHandle& backup)
{
    const std::uint64_t edge = std::min(kEdgeBytes, data.length);
    const std::uint64_t last = data.length - edge;
    return SameBytes(fd, 0, backup, data.offset, edge) && SameBytes(fd, last, backup, data.offset + last, edge);
}

// The checksum of the whole file, or nothing when it cannot be read.
std::optional<std::uint32_t> ChecksumOf(int fd)
{
    std::vector<std::uint8_t> piece(std::size_t{1} << 20);
    DataChecksum checksum;
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(fd, piece.data(), piece.size(), at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return checksum.Value();
        checksum.Add(piece.data(), static_cast<std::size_t>(got));
        at += got;
    }
}

} // namespace

bool HasRowLength(std::uint64_t fileSize, const CatalogueRow& row, std::uint64_t backupSize)
{
    return fileSize == RowDataRange(row, backupSize).length;
}

bool HoldsRowData(int fd, const CatalogueRow& row, const BkfFileHandle& backup)
{
    struct stat info {};
    const ByteRange data = RowDataRange(row, backup.Size().value_or(0));
    if (::fstat(fd, &info) != 0 || static_cast<std::uint64_t>(info.st_size) != data.length)
        return false;
    if (row.checksum && data.length == row.size)
        return ChecksumOf(fd) == row.checksum;
    return SameEdges(fd, data, backup);
}
