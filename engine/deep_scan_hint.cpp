// SPDX-License-Identifier: GPL-3.0-or-later
#include "deep_scan_hint.h"

#include <algorithm>

void DeepScanHint::BlockSeen(std::uint64_t block, std::uint64_t blockSize)
{
    m_seen = true;
    m_accounted = std::max(m_accounted, block + blockSize);
}

void DeepScanHint::DataSeen(std::uint64_t offset, std::uint64_t size)
{
    // A last file of many megabytes has no block in its data, rightly.
    const std::uint64_t end = size > UINT64_MAX - offset ? UINT64_MAX : offset + size;
    m_accounted = std::max(m_accounted, end);
}

void DeepScanHint::Finish(std::uint64_t fileSize, ScanReport& report) const
{
    if (fileSize == 0)
        return;
    if (!m_seen) {
        report.noBlocks = true;
        return;
    }
    if (m_accounted < fileSize && fileSize - m_accounted >= kTailLimit)
        report.blocklessTail = fileSize - m_accounted;
}
