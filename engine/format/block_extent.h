// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bytes a block covers: a block whose common header checksum holds and
// whose stream chain holds covers everything up to the end of its last
// stream (a file's data and CSUM, a set catalogue's streams), when the
// backup goes on right after them as it should. A tag inside covered bytes
// is data, not a block: a backup image saved as a file stays a file.

#include "stream_chain.h"

#include <cstdint>
#include <optional>

// Where the bytes covered by the block at `block` end, or nothing when they
// cannot be trusted. The caller has checked the block's header checksum.
std::optional<std::uint64_t> CoveredEnd(const FetchBytes& fetch, std::uint64_t block, const StreamChain& chain,
                                        std::uint64_t fileSize);
