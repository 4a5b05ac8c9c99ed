// SPDX-License-Identifier: GPL-3.0-or-later
#include "checksum_stream.h"

#include "block_format.h"

#include <cstring>

namespace {

constexpr std::size_t kMediaFormatAttributes = 6;
constexpr std::uint16_t kChecksumFollows = 1 << 5;
constexpr char kChecksumStreamTag[] = "CSUM";

} // namespace

RecordedChecksum RecordedDataChecksum(const FetchBytes& fetch, std::uint64_t block, std::uint64_t dataHeader,
                                      std::uint64_t fileSize)
{
    using namespace BlockFormat;
    const ByteView data = fetch(dataHeader, kStreamHeaderSize);
    if (!StreamChecksumHolds(data) || (*data.Le16(kMediaFormatAttributes) & kChecksumFollows) == 0)
        return {};
    RecordedChecksum recorded;
    recorded.expected = true;
    const auto header = NextStreamHeader(block, dataHeader, *data.Le64(kStreamLength), fileSize);
    if (!header)
        return recorded;
    const ByteView checksum = fetch(*header, kStreamHeaderSize);
    if (!StreamChecksumHolds(checksum) || std::memcmp(checksum.data(), kChecksumStreamTag, 4) != 0
        || *checksum.Le64(kStreamLength) < 4)
        return recorded;
    recorded.value = fetch(*header + kStreamHeaderSize, 4).Le32(0);
    return recorded;
}
