// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads the data of the files a save will write, in the order it writes them,
// on a thread of its own: while the saving thread creates and writes one file,
// the next files' bytes are read. Each file is read in slices of at most
// 64 KiB from its own start; slices are handed over in batches of about a
// megabyte, so that a hand-over costs one wake-up per batch, not per file.

#include "byte_range.h"
#include "byte_view.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class BkfFileHandle;

class CopyReadAhead {
public:
    static constexpr std::size_t kSliceSize = 65536;

    struct Slice {
        std::size_t range = 0;             // index into the ranges given
        std::uint64_t position = 0;        // backup position of bytes[0]
        ByteView bytes;                    // unreadable sectors read as zeros
        std::vector<ByteRange> unreadable; // which ones, as backup positions
    };

    // Starts reading `ranges` (each inside the backup), one after another, at
    // the first call of Next. The backup must outlive this object.
    CopyReadAhead(const BkfFileHandle& backup, std::vector<ByteRange> ranges);
    // Stops the reader and waits for it (at most one slice's read).
    ~CopyReadAhead();
    CopyReadAhead(const CopyReadAhead&) = delete;
    CopyReadAhead& operator=(const CopyReadAhead&) = delete;

    // The next slice in order, or nullptr after the last. It stays valid until
    // the next call.
    const Slice* Next();

private:
    struct Batch {
        std::unique_ptr<std::uint8_t[]> buffer;
        std::vector<Slice> slices;
        bool full = false; // handed to the caller
        bool last = false; // no batch follows
    };

    void ReaderLoop();
    // Reads slices into `batch` from where the reader stands until the batch
    // or the ranges end. False when there was nothing left to read.
    bool Fill(Batch& batch);

    const BkfFileHandle& m_backup;
    const std::vector<ByteRange> m_ranges;
    std::size_t m_batchSize = 0;
    std::vector<Batch> m_batches;

    // The reader's place: only the reader thread touches these.
    std::size_t m_readRange = 0;
    std::uint64_t m_readInto = 0;

    // The caller's place.
    std::size_t m_batch = 0;    // index of the batch being handed out
    std::size_t m_slice = 0;    // next slice of it
    bool m_holding = false;     // the caller holds slices of m_batch
    bool m_finished = false;    // the last batch was handed out

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::atomic<bool> m_stop{false}; // also read by the reader between slices
    std::thread m_reader;
};
