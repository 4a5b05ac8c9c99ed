// SPDX-License-Identifier: GPL-3.0-or-later
#include "deep_scan_hint.h"

#include <algorithm>

namespace {

// The parts of `range` outside the `unreadable` ranges (ascending): bytes
// that could not be read say nothing about blocks.
std::vector<ByteRange> ReadableParts(ByteRange range, const std::vector<ByteRange>& unreadable)
{
    std::vector<ByteRange> parts;
    std::uint64_t from = range.offset;
    for (const ByteRange& bad : unreadable) {
        if (bad.End() <= from || bad.offset >= range.End())
            continue;
        if (bad.offset > from)
            parts.push_back(ByteRange{from, bad.offset - from});
        from = std::max(from, bad.End());
    }
    if (from < range.End())
        parts.push_back(ByteRange{from, range.End() - from});
    return parts;
}

} // namespace

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
    for (const ByteRange& gap : m_gaps) {
        for (const ByteRange& part : ReadableParts(gap, report.unreadable)) {
            if (part.length >= kGapLimit)
                report.gaps.push_back(part);
        }
    }
    if (fileSize == 0 || deep)
        return;
    if (!m_seen) {
        report.noBlocks = true;
        return;
    }
    // The tail after the last bytes that could not be read.
    const auto tail = m_accounted < fileSize ? ReadableParts({m_accounted, fileSize - m_accounted}, report.unreadable)
                                             : std::vector<ByteRange>();
    if (!tail.empty() && tail.back().End() == fileSize && tail.back().length >= kTailLimit)
        report.blocklessTail = tail.back().length;
}
