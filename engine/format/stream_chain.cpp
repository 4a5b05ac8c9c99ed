// SPDX-License-Identifier: GPL-3.0-or-later
#include "stream_chain.h"

#include "block_format.h"

#include <algorithm>
#include <cstring>

using namespace BlockFormat;

namespace {

std::uint32_t TagOf(const void* bytes)
{
    std::uint32_t tag;
    std::memcpy(&tag, bytes, 4);
    return tag;
}

} // namespace

std::optional<std::uint64_t> NextStreamHeader(std::uint64_t block, std::uint64_t header, std::uint64_t length,
                                              std::uint64_t fileSize)
{
    const std::uint64_t dataEnd = header + kStreamHeaderSize;
    if (length > fileSize - std::min(fileSize, dataEnd))
        return std::nullopt;
    const std::uint64_t next = dataEnd + length;
    return next + (kStreamAlignment - (next - block) % kStreamAlignment) % kStreamAlignment;
}

StreamChain::StreamChain(const FetchBytes& fetch, std::uint64_t block, std::uint64_t fileSize)
{
    Walk(fetch, block, fileSize);
}

void StreamChain::Walk(const FetchBytes& fetch, std::uint64_t block, std::uint64_t fileSize)
{
    // The loop checks the first header as it checks the others.
    const std::uint16_t distance = fetch(block + kFirstEventOffset, 2).Le16(0).value_or(0);
    if (distance < kCommonHeaderSize)
        return;
    std::uint64_t header = block + distance;
    m_end = header;
    while (m_count < kLimit) {
        const ByteView bytes = fetch(header, kStreamHeaderSize);
        if (!StreamChecksumHolds(bytes) || *bytes.Le16(0) == 0)
            return;
        const auto next = NextStreamHeader(block, header, *bytes.Le64(kStreamLength), fileSize);
        if (std::memcmp(bytes.data(), kPadStreamTag, 4) == 0) {
            m_padded = next.has_value();
            m_end = next.value_or(m_end);
            return;
        }
        m_streams[m_count++] = Stream{TagOf(bytes.data()), header};
        if (!next) {
            m_pastEnd = true; // the data run past the end of the file
            return;
        }
        header = m_end = *next;
    }
}

std::optional<std::uint64_t> StreamChain::Find(const char* tag) const
{
    const std::uint32_t wanted = TagOf(tag);
    for (std::size_t index = 0; index < m_count; ++index) {
        if (m_streams[index].tag == wanted)
            return m_streams[index].header;
    }
    return std::nullopt;
}
