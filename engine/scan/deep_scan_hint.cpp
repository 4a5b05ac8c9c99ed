// SPDX-License-Identifier: GPL-3.0-or-later
#include "deep_scan_hint.h"

#include <algorithm>

namespace {

// The parts of `range` outside the `passed` ranges (ascending by offset):
// bytes that could not be read say nothing about blocks, and data found
// later are a file's.
std::vector<ByteRange> PartsOutside(ByteRange range, const std::vector<ByteRange>& passed)
{
    std::vector<ByteRange> parts;
    std::uint64_t from = range.offset;
    for (const ByteRange& bad : passed) {
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
    if (block > m_accounted)
        CloseRange(block);
    m_accounted = std::max(m_accounted, end);
}

// The bytes from the last accounted end to `end` are a range without blocks.
void DeepScanHint::CloseRange(std::uint64_t end)
{
    if (m_nonZero && end - m_accounted >= kGapLimit)
        AddRange(m_gaps, m_accounted, end - m_accounted);
    m_nonZero = false;
}

void DeepScanHint::DataSeen(std::uint64_t offset, std::uint64_t size)
{
    // A last file of many megabytes has no block in its data, rightly.
    const std::uint64_t end = size > UINT64_MAX - offset ? UINT64_MAX : offset + size;
    if (end > m_accounted)
        m_nonZero = false;
    m_accounted = std::max(m_accounted, end);
}

void DeepScanHint::DataFoundLater(std::uint64_t offset, std::uint64_t size)
{
    m_foundLater.push_back(ByteRange{offset, std::min(size, UINT64_MAX - offset)});
}

void DeepScanHint::SlotWithoutBlock(std::uint64_t position, ByteView bytes)
{
    if (m_nonZero || position + bytes.size() <= m_accounted)
        return;
    const std::uint8_t* data = bytes.data();
    m_nonZero = std::any_of(data, data + bytes.size(), [](std::uint8_t byte) { return byte != 0; });
}

void DeepScanHint::Finish(std::uint64_t fileSize, ScanReport& report) const
{
    std::vector<ByteRange> ranges = m_gaps;
    if (m_nonZero && m_accounted < fileSize && fileSize - m_accounted >= kGapLimit)
        AddRange(ranges, m_accounted, fileSize - m_accounted);
    std::vector<ByteRange> passed = report.unreadable;
    passed.insert(passed.end(), m_foundLater.begin(), m_foundLater.end());
    std::sort(passed.begin(), passed.end(),
              [](const ByteRange& a, const ByteRange& b) { return a.offset < b.offset; });
    for (const ByteRange& range : ranges) {
        for (const ByteRange& part : PartsOutside(range, passed)) {
            if (part.length >= kGapLimit)
                report.gaps.push_back(part);
        }
    }
}
