// SPDX-License-Identifier: GPL-3.0-or-later
#include "block_extent.h"

#include "block_format.h"

using namespace BlockFormat;

namespace {

// Whether the backup continues at `end` as it should: the end of the file, a
// pad stream that ran to the next boundary, a stream header whose checksum
// holds, or a block whose checksum holds at the next boundary of the block's
// grid. Bytes lost or inserted inside the data leave neither.
bool GoesOnAt(const FetchBytes& fetch, std::uint64_t block, std::uint64_t end, bool padded, std::uint64_t fileSize)
{
    if (padded || end >= fileSize)
        return true;
    const ByteView stream = fetch(end, kStreamHeaderSize);
    if (StreamChecksumHolds(stream) && FindBlockTag(stream.data()) != kZeroTag)
        return true;
    const std::uint64_t next = block + (end - block + kSlotSize - 1) / kSlotSize * kSlotSize;
    const ByteView header = fetch(next, kCommonHeaderSize);
    return next >= fileSize || (header.size() == kCommonHeaderSize && FindBlockTag(header.data()) >= 0
                                && BlockChecksumHolds(header));
}

} // namespace

std::optional<std::uint64_t> CoveredEnd(const FetchBytes& fetch, std::uint64_t block, const StreamChain& chain,
                                        std::uint64_t fileSize)
{
    if (!chain.Holds() || chain.RunsPastEnd() || !GoesOnAt(fetch, block, chain.End(), chain.Padded(), fileSize))
        return std::nullopt;
    return chain.End();
}
