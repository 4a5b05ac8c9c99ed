// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a file an earlier save left holds a row's data completely.

#include <cstdint>

class BkfFileHandle;
struct CatalogueRow;

// True when a file of `fileSize` bytes is as long as the row's data in a
// backup of `backupSize` bytes.
bool HasRowLength(std::uint64_t fileSize, const CatalogueRow& row, std::uint64_t backupSize);

// True when the open file `fd` is as long as the row's data in `backup` and
// its bytes match them: against the data checksum the backup records for the
// whole file where there is one, otherwise at the first and the last 4 KiB,
// read from the backup (a power cut can leave a file of zeros at its full
// length). A part of the backup that cannot be read does not match.
bool HoldsRowData(int fd, const CatalogueRow& row, const BkfFileHandle& backup);
