// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chain of stream headers that follows a descriptor block: each header
// gives its data length, and the next header follows the data on the 4-byte
// grid counted from the block start.

#include "byte_view.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

// The bytes [position, position + length) of the backup, or fewer when the
// file ends sooner. The view stays valid until the next call.
using FetchBytes = std::function<ByteView(std::uint64_t position, std::size_t length)>;

// The distance of the block's first stream header, when the "offset to first
// event" points past the common header at a header whose checksum holds.
std::optional<std::size_t> FirstStreamDistance(const FetchBytes& fetch, std::uint64_t block);

// The header after the stream at `header` with `length` data bytes, or
// nothing when it would lie past `fileSize`.
std::optional<std::uint64_t> NextStreamHeader(std::uint64_t block, std::uint64_t header, std::uint64_t length,
                                              std::uint64_t fileSize);

// Follows the chain from the block's first stream header to the first header
// tagged `tag` (four bytes) and returns its position. Only headers whose
// checksum holds are followed; a pad stream, a zero tag, the end of the file
// or 64 streams end the walk.
std::optional<std::uint64_t> FindChainStream(const FetchBytes& fetch, std::uint64_t block, std::uint64_t fileSize,
                                             const char* tag);
