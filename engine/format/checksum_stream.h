// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The CSUM stream that follows a data stream whose media-format attributes
// (16 bits at 6) have bit 5 set: its first four data bytes hold the XOR of
// the data as little-endian 32-bit words.

#include "stream_chain.h"

#include <cstdint>
#include <optional>

struct RecordedChecksum {
    bool expected = false; // the data stream's header says a CSUM stream follows
    std::optional<std::uint32_t> value; // the checksum, when its stream could be read
    bool Lost() const { return expected && !value; }
};

// The checksum recorded for the data of the stream at `dataHeader` of the
// block at `block`: none when the stream's attributes record none, lost when
// they do and no readable CSUM stream follows the data.
RecordedChecksum RecordedDataChecksum(const FetchBytes& fetch, std::uint64_t block, std::uint64_t dataHeader,
                                      std::uint64_t fileSize);
