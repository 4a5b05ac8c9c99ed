// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The CSUM stream that follows a data stream whose media-format attributes
// (16 bits at 6) have bit 5 set: its first four data bytes hold the XOR of
// the data as little-endian 32-bit words.

#include "stream_chain.h"

#include <cstdint>
#include <optional>

// The checksum recorded for the data of the stream at `dataHeader` of the
// block at `block`, or nothing when none is recorded or it cannot be read.
std::optional<std::uint32_t> RecordedDataChecksum(const FetchBytes& fetch, std::uint64_t block,
                                                  std::uint64_t dataHeader, std::uint64_t fileSize);
