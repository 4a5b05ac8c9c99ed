// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads runs of a backup and folds them into their data checksum, on two
// threads when a run is long: each thread takes alternate chunks and reads
// them in pieces small enough to stay in its core's cache, so the checksum
// costs no second trip through memory and the copies out of the system's
// cache run side by side. A check of the data reads nothing else, so this is
// what sets its pace against a plain `cat` of the backup.

#include "byte_range.h"
#include "data_checksum.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class BkfFileHandle;

class RangeChecksumReader {
public:
    // The longest run one Read call takes: the caller's steps between
    // progress reports and stop checks.
    static constexpr std::uint64_t kStep = std::uint64_t{8} << 20;

    // What reading a run found.
    struct Outcome {
        DataChecksum checksum;
        std::vector<ByteRange> unreadable; // backup positions that read as zeros, ascending
    };

    // The backup must outlive this object.
    explicit RangeChecksumReader(const BkfFileHandle& backup);
    ~RangeChecksumReader();
    RangeChecksumReader(const RangeChecksumReader&) = delete;
    RangeChecksumReader& operator=(const RangeChecksumReader&) = delete;

    // Reads `run` (inside the backup, at most kStep long) and returns its
    // checksum taken from run.offset on (a caller folds a file's runs with
    // DataChecksum::Merge, each starting a multiple of 4 bytes from the
    // file's first byte) and its unreadable bytes.
    Outcome Read(const ByteRange& run);

private:
    // Reads the chunks of `run` numbered first, first + 2, ... into `into`.
    void ReadChunks(const ByteRange& run, std::size_t first, std::vector<std::uint8_t>& buffer, Outcome& into) const;
    void HelperLoop();

    const BkfFileHandle& m_backup;
    std::vector<std::uint8_t> m_buffer; // the calling thread's

    // The helper thread, started by the first run long enough to share.
    std::thread m_helper;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_stop = false;
    bool m_jobPending = false;
    ByteRange m_job;
    Outcome m_helperOutcome;
};
