// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Watches the default scan for signs that the backup's blocks left the
// 512-byte grid: none found at all, or none in the last megabyte or more
// after blocks were found before, beyond the data of the last file.

#include "scan_report.h"

#include <cstdint>

class DeepScanHint {
public:
    static constexpr std::uint64_t kTailLimit = std::uint64_t{1} << 20;

    void BlockSeen(std::uint64_t block, std::uint64_t blockSize);
    void DataSeen(std::uint64_t offset, std::uint64_t size);
    // Writes the hint, if any, for a file of `fileSize` bytes scanned to its end.
    void Finish(std::uint64_t fileSize, ScanReport& report) const;

private:
    bool m_seen = false;
    std::uint64_t m_accounted = 0; // end of the last block or file data
};
