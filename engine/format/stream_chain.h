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

// The header after the stream at `header` with `length` data bytes, or
// nothing when it would lie past `fileSize`.
std::optional<std::uint64_t> NextStreamHeader(std::uint64_t block, std::uint64_t header, std::uint64_t length,
                                              std::uint64_t fileSize);

// One walk of a block's chain from its first stream header (the "offset to
// first event" at 8, past the common header). Only headers
// whose checksum holds are followed; a pad stream, a zero tag, a header that
// fails, data that run past the end of the file or 64 streams end the walk.
class StreamChain {
public:
    static constexpr std::size_t kLimit = 64;

    StreamChain(const FetchBytes& fetch, std::uint64_t block, std::uint64_t fileSize);

    // True when the first stream header holds.
    bool Holds() const { return m_count > 0; }
    // The position of the first header tagged `tag` (four bytes), if the walk met one.
    std::optional<std::uint64_t> Find(const char* tag) const;
    // Where the walk stopped: after the data of the last stream that held, on
    // the 4-byte grid (after a pad stream's data when one ends the chain).
    std::uint64_t End() const { return m_end; }
    // True when a pad stream whose checksum holds ends the chain.
    bool Padded() const { return m_padded; }
    // True when the data of the last stream that held run past the end of the file.
    bool RunsPastEnd() const { return m_pastEnd; }

private:
    struct Stream {
        std::uint32_t tag;
        std::uint64_t header;
    };
    void Walk(const FetchBytes& fetch, std::uint64_t block, std::uint64_t fileSize);

    Stream m_streams[kLimit];
    std::size_t m_count = 0;
    std::uint64_t m_end = 0;
    bool m_padded = false;
    bool m_pastEnd = false;
};
