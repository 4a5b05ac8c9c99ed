// SPDX-License-Identifier: GPL-3.0-or-later
#include "deep_scan_hint.h"

#include <algorithm>

void DeepScanHint::BlockSeen(std::uint64_t block, std::uint64_t end)
{
    if (m_seen && block > m_accounted && block - m_accounted >= kGapLimit)
        AddRange(m_gaps, m_accounted, block - m_accounted);
    m_seen = true;
    m_accounted = std::max(m_accounted, end);
}

void DeepScanHint::DataSeen(std::uint64_t offset, std::uint64_t size)
{
    // A last file of many megabytes has no block in its data, rightly.
    const std::uint64_t end = size > UINT64_MAX - offset ? UINT64_MAX : offset + size;
    m_accounted = std::max(m_accounted, end);
}

void DeepScanHint::Finish(std::uint64_t fileSize, bool deep, ScanReport& report) const
{
    report.gaps.insert(report.gaps.end(), m_gaps.begin(), m_gaps.end());
    if (fileSize == 0 || deep)
        return;
    if (!m_seen) {
        report.noBlocks = true;
        return;
    }
    if (m_accounted < fileSize && fileSize - m_accounted >= kTailLimit)
        report.blocklessTail = fileSize - m_accounted;
}
