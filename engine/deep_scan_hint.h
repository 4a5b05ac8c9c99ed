// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Watches the scan for bytes no block accounts for: ranges of 64 KiB or more
// between blocks that no found block's extent (its header, streams and data)
// covers, and, for the default scan, signs that the backup's blocks left the
// 512-byte grid: none found at all, or none in the last megabyte or more.

#include "scan_report.h"

#include <cstdint>
#include <vector>

class DeepScanHint {
public:
    static constexpr std::uint64_t kTailLimit = std::uint64_t{1} << 20;
    static constexpr std::uint64_t kGapLimit = std::uint64_t{1} << 16;

    // A block found at `block` whose extent ends at `end` at least.
    void BlockSeen(std::uint64_t block, std::uint64_t end);
    // The data of a found file lie at [offset, offset + size).
    void DataSeen(std::uint64_t offset, std::uint64_t size);
    // Writes what was seen for a file of `fileSize` bytes scanned to its end;
    // the hints of the default scan unless `deep`. The report's unreadable
    // ranges are no range without blocks.
    void Finish(std::uint64_t fileSize, bool deep, ScanReport& report) const;

private:
    bool m_seen = false;
    std::uint64_t m_accounted = 0; // end of the last block or file data
    std::vector<ByteRange> m_gaps;
};
