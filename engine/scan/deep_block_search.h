// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finds SSET, DIRB and FILE blocks that start off the 512-byte grid, as in a
// backup that lost or gained a few bytes. Off the grid a tag counts only when
// the block's common header checksum holds, and not inside the bytes a block
// already found covers (block_extent.h).

#include "stream_chain.h"

#include <cstddef>
#include <cstdint>
#include <functional>

class DeepBlockSearch {
public:
    // Receives a block's backup position and its type (kSset, kDirb or kFile).
    using Found = std::function<void(std::uint64_t block, int type)>;

    // `fetch` must outlive this object; `found` hears of each block found.
    DeepBlockSearch(const FetchBytes& fetch, Found found) : m_fetch(fetch), m_found(std::move(found))
    {
    }

    // Calls `found`, in file order, for each block starting in [from, to) of
    // `window` (whose first byte is at backup position `windowPosition`, a
    // multiple of 512). Bytes a block needs past the window are fetched.
    void Search(ByteView window, std::uint64_t windowPosition, std::size_t from, std::size_t to)
    {
        // Called for every slot: a slot inside data already found costs two compares.
        if (windowPosition + from >= m_dataStart && windowPosition + to <= m_dataEnd)
            return;
        SearchAroundData(window, windowPosition, from, to);
    }

    // A block found covers [start, end): nothing is searched there.
    void Covered(std::uint64_t start, std::uint64_t end);

    std::uint64_t BlocksFound() const { return m_blocksFound; }

private:
    void SearchAroundData(ByteView window, std::uint64_t windowPosition, std::size_t from, std::size_t to);
    void Probe(ByteView window, std::uint64_t windowPosition, std::size_t from, std::size_t to);
    void TryProbe(ByteView window, std::uint64_t windowPosition, std::size_t probe, std::uint16_t bits,
                  std::size_t from, std::size_t to);
    void TryCandidate(std::uint64_t position, int tag);

    const FetchBytes& m_fetch;
    const Found m_found;
    std::uint64_t m_dataStart = 0; // the bytes already covered
    std::uint64_t m_dataEnd = 0;
    std::uint64_t m_blocksFound = 0;
};
