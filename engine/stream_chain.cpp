// SPDX-License-Identifier: GPL-3.0-or-later
#include "stream_chain.h"

#include "block_format.h"

#include <algorithm>
#include <cstring>

using namespace BlockFormat;

namespace {

constexpr std::size_t kStreamChainLimit = 64; // streams followed from a block

} // namespace

std::optional<std::size_t> FirstStreamDistance(const FetchBytes& fetch, std::uint64_t block)
{
    const std::uint16_t distance = fetch(block + kFirstEventOffset, 2).Le16(0).value_or(0);
    if (distance < kCommonHeaderSize || !StreamChecksumHolds(fetch(block + distance, kStreamHeaderSize)))
        return std::nullopt;
    return distance;
}

std::optional<std::uint64_t> NextStreamHeader(std::uint64_t block, std::uint64_t header, std::uint64_t length,
                                              std::uint64_t fileSize)
{
    const std::uint64_t dataEnd = header + kStreamHeaderSize;
    if (length > fileSize - std::min(fileSize, dataEnd))
        return std::nullopt;
    const std::uint64_t next = dataEnd + length;
    return next + (kStreamAlignment - (next - block) % kStreamAlignment) % kStreamAlignment;
}

std::optional<std::uint64_t> FindChainStream(const FetchBytes& fetch, std::uint64_t block, std::uint64_t fileSize,
                                             const char* tag)
{
    const auto distance = FirstStreamDistance(fetch, block);
    if (!distance)
        return std::nullopt;
    std::uint64_t header = block + *distance;
    for (std::size_t stream = 0; stream < kStreamChainLimit; ++stream) {
        const ByteView bytes = fetch(header, kStreamHeaderSize);
        if (!StreamChecksumHolds(bytes) || std::memcmp(bytes.data(), kPadStreamTag, 4) == 0 || *bytes.Le16(0) == 0)
            return std::nullopt;
        if (std::memcmp(bytes.data(), tag, 4) == 0)
            return header;
        const auto next = NextStreamHeader(block, header, *bytes.Le64(kStreamLength), fileSize);
        if (!next)
            return std::nullopt; // the next header would lie past the end of the file
        header = *next;
    }
    return std::nullopt;
}
