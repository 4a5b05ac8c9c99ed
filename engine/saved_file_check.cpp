// SPDX-License-Identifier: GPL-3.0-or-later
#include "saved_file_check.h"

#include "catalogue_store.h"
#include "data_checksum.h"
#include "row_saver.h"

#include <cerrno>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

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
    return fileSize == RowSaver::DataRange(row, backupSize).length;
}

bool HoldsRowData(int fd, const CatalogueRow& row, std::uint64_t backupSize)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !HasRowLength(static_cast<std::uint64_t>(info.st_size), row, backupSize))
        return false;
    if (!row.checksum || static_cast<std::uint64_t>(info.st_size) != row.size)
        return true;
    return ChecksumOf(fd) == row.checksum;
}
