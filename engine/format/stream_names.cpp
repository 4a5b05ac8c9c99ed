// SPDX-License-Identifier: GPL-3.0-or-later
#include "stream_names.h"

#include "block_format.h"

#include <algorithm>

namespace {

constexpr std::size_t kBlockAttributes = 52;
constexpr std::uint32_t kNameInStream = std::uint32_t{1} << 17;

} // namespace

std::optional<std::string> StreamedName(const FetchBytes& fetch, std::uint64_t block, const StreamChain& chain,
                                        const char* tag, std::size_t limit)
{
    const auto attributes = fetch(block + kBlockAttributes, 4).Le32(0);
    if (!attributes || (*attributes & kNameInStream) == 0)
        return std::nullopt;
    const auto header = chain.Find(tag);
    if (!header)
        return std::nullopt;
    const auto length = fetch(*header + BlockFormat::kStreamLength, 8).Le64(0);
    if (!length)
        return std::nullopt;
    // Two bytes per unit, and room for surrogate pairs and the closing NUL.
    const std::uint64_t cap = 4 * static_cast<std::uint64_t>(limit) + 4;
    const std::size_t bytes = static_cast<std::size_t>(std::min(*length, cap)) & ~std::size_t{1};
    const ByteView name = fetch(*header + BlockFormat::kStreamHeaderSize, bytes);
    if (name.size() < bytes)
        return std::nullopt; // the name runs past the end of the file
    return CopyTapeName(name, 0, bytes, limit).text;
}
