// SPDX-License-Identifier: GPL-3.0-or-later
#include "range_checksum_reader.h"

#include "bkf_file_handle.h"
#include "recovering_read.h"

#include <algorithm>

namespace {

// A thread's share of a run alternates in chunks of 1 MiB (a multiple of 4, so
// each chunk's checksum folds into the run's); each chunk is read in pieces of
// 128 KiB, the size a plain `cat` reads in, which stay in a core's cache
// between the copy and the checksum.
constexpr std::uint64_t kChunk = std::uint64_t{1} << 20;
constexpr std::size_t kPiece = std::size_t{128} << 10;

} // namespace

RangeChecksumReader::RangeChecksumReader(const BkfFileHandle& backup) : m_backup(backup), m_buffer(kPiece) {}

RangeChecksumReader::~RangeChecksumReader()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_helper.joinable())
        m_helper.join();
}

void RangeChecksumReader::ReadChunks(const ByteRange& run, std::size_t first, std::vector<std::uint8_t>& buffer,
                                     Outcome& into) const
{
    RecoveringRead read;
    for (std::uint64_t chunk = first * kChunk; chunk < run.length; chunk += 2 * kChunk) {
        const std::uint64_t chunkEnd = std::min(run.length, chunk + kChunk);
        DataChecksum checksum;
        for (std::uint64_t at = chunk; at < chunkEnd; at += kPiece) {
            const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(kPiece, chunkEnd - at));
            ReadRecovering(m_backup, run.offset + at, buffer.data(), length, read);
            checksum.Add(buffer.data(), length);
        }
        into.checksum.Merge(checksum);
    }
    into.unreadable = std::move(read.unreadable);
}

void RangeChecksumReader::HelperLoop()
{
    std::vector<std::uint8_t> buffer(kPiece);
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [&] { return m_stop || m_jobPending; });
        if (m_stop)
            return;
        const ByteRange job = m_job;
        lock.unlock();
        Outcome outcome;
        ReadChunks(job, 1, buffer, outcome);
        lock.lock();
        m_helperOutcome = std::move(outcome);
        m_jobPending = false;
        m_changed.notify_all();
    }
}

RangeChecksumReader::Outcome RangeChecksumReader::Read(const ByteRange& run)
{
    Outcome outcome;
    if (run.length <= kChunk) {
        ReadChunks(run, 0, m_buffer, outcome);
        return outcome;
    }
    // The system reads the next step from the disk while this one is checked.
    m_backup.HintWillRead(run.End(), kStep);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_helper.joinable())
            m_helper = std::thread(&RangeChecksumReader::HelperLoop, this);
        m_job = run;
        m_jobPending = true;
    }
    m_changed.notify_all();
    ReadChunks(run, 0, m_buffer, outcome);
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return !m_jobPending; });
    outcome.checksum.Merge(m_helperOutcome.checksum);
    if (!m_helperOutcome.unreadable.empty()) {
        // The two threads' chunks interleave: merge their lists in order.
        std::vector<ByteRange> both = std::move(outcome.unreadable);
        both.insert(both.end(), m_helperOutcome.unreadable.begin(), m_helperOutcome.unreadable.end());
        std::sort(both.begin(), both.end(), [](const ByteRange& a, const ByteRange& b) { return a.offset < b.offset; });
        outcome.unreadable.clear();
        for (const ByteRange& bad : both)
            AddRange(outcome.unreadable, bad.offset, bad.length);
    }
    return outcome;
}
