// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads a backup front to back in large chunks on a thread of its own, so
// that the caller works on one chunk while the next ones are read. Few large
// reads cost less than many small ones, and the reading overlaps the work.

#include "byte_view.h"
#include "recovering_read.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class BkfFileHandle;

class ReadAhead {
public:
    static constexpr std::size_t kChunkSize = std::size_t{1} << 20;

    struct Chunk {
        std::uint64_t position = 0; // backup position of bytes[0]
        ByteView bytes;             // unreadable sectors read as zeros
        RecoveringRead read;        // which ones, and why
    };

    // Starts reading [begin, end) of `file`, a range inside it; the file must
    // outlive this object. Chunks start at `begin` + a multiple of `chunkSize`,
    // which should be a multiple of the caller's own windows.
    ReadAhead(const BkfFileHandle& file, std::uint64_t begin, std::uint64_t end, std::size_t chunkSize = kChunkSize,
              std::size_t depth = 3);
    // Stops the reader and waits for it (at most one chunk's read).
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next chunk in file order, or nullptr after the last. The chunk stays
    // valid until the next call; calling again hands its buffer back.
    const Chunk* Next();

private:
    struct Slot {
        std::unique_ptr<std::uint8_t[]> buffer;
        Chunk chunk;
        bool full = false;
    };

    void ReaderLoop();
    void Fill(Slot& slot, std::uint64_t index);

    const BkfFileHandle& m_file;
    const std::uint64_t m_begin;
    const std::uint64_t m_end;
    const std::size_t m_chunkSize;
    std::vector<Slot> m_slots;
    std::uint64_t m_chunkCount;
    std::uint64_t m_consumed = 0; // chunks handed to the caller so far
    bool m_holding = false;       // the caller holds chunk m_consumed - 1

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_stop = false;
    std::thread m_reader;
};
