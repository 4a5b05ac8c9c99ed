// SPDX-License-Identifier: GPL-3.0-or-later
#include "deep_block_search.h"

#include "block_format.h"

#include <algorithm>
#include <cstring>

using namespace BlockFormat;

namespace {

constexpr int kSearchedTags[] = {kSset, kDirb, kFile};
constexpr std::size_t kTagLength = 4;

constexpr std::size_t kTagCountSearched = std::size(kSearchedTags);

// For every byte value, which (tag, position in tag) pairs it could be, as
// bit 3 * (3 - position) + tag: the lowest bit is the candidate that starts
// first. Every 4-byte tag covers exactly one byte whose position is 3 modulo
// 4, so looking at one byte in four finds them all, and most data bytes are
// refused by one table lookup.
struct TagLetters {
    std::uint16_t bits[256] = {};
    TagLetters()
    {
        for (std::size_t tag = 0; tag < kTagCountSearched; ++tag) {
            for (std::size_t at = 0; at < kTagLength; ++at) {
                const auto letter = static_cast<unsigned char>(kBlockTags[kSearchedTags[tag]][at]);
                bits[letter] = static_cast<std::uint16_t>(bits[letter] | (1u << (kTagCountSearched * (3 - at) + tag)));
            }
        }
    }
};

const TagLetters kLetters;

} // namespace

void DeepBlockSearch::SearchAroundData(ByteView window, std::uint64_t windowPosition, std::size_t from,
                                       std::size_t to)
{
    // The data already accounted for are not searched at all: most of a
    // backup is file data, so this is where the deep scan saves its time.
    // The range as it stands now: a block found before it may move it on.
    const std::uint64_t dataStart = m_dataStart;
    const std::uint64_t dataEnd = m_dataEnd;
    const std::uint64_t start = windowPosition + from;
    const std::uint64_t end = windowPosition + to;
    if (start < dataEnd && dataStart < end) {
        if (start < dataStart)
            Probe(window, windowPosition, from, static_cast<std::size_t>(dataStart - windowPosition));
        if (dataEnd < end)
            Probe(window, windowPosition, static_cast<std::size_t>(dataEnd - windowPosition), to);
        return;
    }
    Probe(window, windowPosition, from, to);
}

void DeepBlockSearch::Probe(ByteView window, std::uint64_t windowPosition, std::size_t from, std::size_t to)
{
    if (from >= to)
        return;
    const std::size_t first = from + (kTagLength - 1 - from % kTagLength) % kTagLength;
    const std::size_t end = to + kTagLength - 1; // one past the last probe
    const std::size_t inWindow = std::min(end, window.size());
    const std::uint8_t* data = window.data();
    std::size_t probe = first;
    // Four probes at a time while none can be part of a tag: the usual case.
    constexpr std::size_t kStride = 4 * kTagLength;
    while (probe < inWindow) {
        if (probe + 3 * kTagLength < inWindow
            && (kLetters.bits[data[probe]] | kLetters.bits[data[probe + kTagLength]]
                | kLetters.bits[data[probe + 2 * kTagLength]] | kLetters.bits[data[probe + 3 * kTagLength]])
                   == 0) {
            probe += kStride;
            continue;
        }
        if (const std::uint16_t bits = kLetters.bits[data[probe]])
            TryProbe(window, windowPosition, probe, bits, from, to);
        probe += kTagLength;
    }
    // The last probes may need bytes past the window.
    for (; probe < end; probe += kTagLength) {
        const ByteView byte = m_fetch(windowPosition + probe, 1);
        if (byte.size() == 0)
            return; // the end of the file
        TryProbe(window, windowPosition, probe, kLetters.bits[byte.data()[0]], from, to);
    }
}

// The candidates a probed byte stands for, in ascending order of their
// starts: the furthest position in the tag first. A tag wholly inside the
// window is compared there before anything is fetched.
void DeepBlockSearch::TryProbe(ByteView window, std::uint64_t windowPosition, std::size_t probe, std::uint16_t bits,
                               std::size_t from, std::size_t to)
{
    for (unsigned rest = bits; rest != 0; rest &= rest - 1) {
        unsigned bit = 0;
        while ((rest & (1u << bit)) == 0)
            ++bit;
        const std::size_t at = 3 - bit / kTagCountSearched;
        const int tag = kSearchedTags[bit % kTagCountSearched];
        if (probe < from + at || probe - at >= to)
            continue;
        const std::size_t start = probe - at;
        if (window.Contains(start, kTagLength) && std::memcmp(window.data() + start, kBlockTags[tag], kTagLength) != 0)
            continue;
        TryCandidate(windowPosition + start, tag);
    }
}

void DeepBlockSearch::TryCandidate(std::uint64_t position, int tag)
{
    if (position % kSlotSize == 0 || (position >= m_dataStart && position < m_dataEnd))
        return; // the grid has rules of its own; covered bytes are data
    const ByteView header = m_fetch(position, kCommonHeaderSize);
    if (header.size() < kCommonHeaderSize || std::memcmp(header.data(), kBlockTags[tag], kTagLength) != 0
        || !BlockChecksumHolds(header))
        return;
    ++m_blocksFound;
    m_found(position, tag);
}

void DeepBlockSearch::Covered(std::uint64_t start, std::uint64_t end)
{
    if (end <= m_dataEnd)
        return;
    m_dataStart = start;
    m_dataEnd = end;
}
