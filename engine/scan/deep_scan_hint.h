// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Watches the scan for bytes no block accounts for: ranges of 64 KiB or
// more, between blocks or after the last one, that no found block's extent
// (its header, streams and data) covers and that hold bytes other than
// zeros. The scan has searched them off the grid already: files were
// probably lost there.

#include "byte_view.h"
#include "scan_report.h"

#include <cstdint>
#include <vector>

class DeepScanHint {
public:
    static constexpr std::uint64_t kGapLimit = std::uint64_t{1} << 16;

    // A block found at `block` whose extent ends at `end` at least.
    void BlockSeen(std::uint64_t block, std::uint64_t end);
    // The data of a found file lie at [offset, offset + size).
    void DataSeen(std::uint64_t offset, std::uint64_t size);
    // Data found after the scan passed them (by the set's catalogue): the
    // ranges without blocks lose these bytes.
    void DataFoundLater(std::uint64_t offset, std::uint64_t size);
    // A slot at `position` that holds no block and no block covers.
    void SlotWithoutBlock(std::uint64_t position, ByteView bytes);
    // Writes the ranges seen, for a file of `fileSize` bytes scanned to its
    // end. The report's unreadable ranges are no range without blocks.
    void Finish(std::uint64_t fileSize, ScanReport& report) const;

private:
    void CloseRange(std::uint64_t end);

    std::uint64_t m_accounted = 0; // end of the last block or file data
    bool m_nonZero = false;        // a slot after m_accounted holds bytes other than zeros
    std::vector<ByteRange> m_gaps;
    std::vector<ByteRange> m_foundLater;
};
