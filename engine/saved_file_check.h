// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a file an earlier save left holds a row's data completely.

#include <cstdint>

struct CatalogueRow;

// True when a file of `fileSize` bytes is as long as the row's data in a
// backup of `backupSize` bytes.
bool HasRowLength(std::uint64_t fileSize, const CatalogueRow& row, std::uint64_t backupSize);

// True when the open file `fd` is as long as the row's data in a backup of
// `backupSize` bytes and, where the backup records a data checksum of the
// whole file, its bytes match it.
bool HoldsRowData(int fd, const CatalogueRow& row, std::uint64_t backupSize);
