// SPDX-License-Identifier: GPL-3.0-or-later
#include "copy_read_ahead.h"

#include "recovering_read.h"

#include <algorithm>

namespace {

constexpr std::size_t kSlicesPerBatch = 16;
constexpr std::size_t kBatches = 4;

} // namespace

CopyReadAhead::CopyReadAhead(const BkfFileHandle& backup, std::vector<ByteRange> ranges)
    : m_backup(backup), m_ranges(std::move(ranges)), m_batches(kBatches)
{
    std::uint64_t total = 0;
    for (const ByteRange& range : m_ranges)
        total += range.length;
    // No larger than all there is to read: a small save costs no megabytes.
    // Every slice fits an empty batch, since no slice is longer than the total.
    m_batchSize = static_cast<std::size_t>(std::min<std::uint64_t>(kSliceSize * kSlicesPerBatch, total));
}

CopyReadAhead::~CopyReadAhead()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_reader.joinable())
        m_reader.join();
}

bool CopyReadAhead::Fill(Batch& batch)
{
    if (!batch.buffer)
        batch.buffer.reset(new std::uint8_t[std::max<std::size_t>(m_batchSize, 1)]);
    batch.slices.clear();
    std::size_t used = 0;
    while (m_readRange < m_ranges.size() && !m_stop.load(std::memory_order_relaxed)) {
        const ByteRange& range = m_ranges[m_readRange];
        if (m_readInto >= range.length) {
            ++m_readRange;
            m_readInto = 0;
            continue;
        }
        const std::size_t length =
            static_cast<std::size_t>(std::min<std::uint64_t>(kSliceSize, range.length - m_readInto));
        if (length > m_batchSize - used)
            break;
        Slice slice;
        slice.range = m_readRange;
        slice.position = range.offset + m_readInto;
        RecoveringRead read;
        ReadRecovering(m_backup, slice.position, batch.buffer.get() + used, length, read);
        slice.bytes = ByteView(batch.buffer.get() + used, length);
        slice.unreadable = std::move(read.unreadable);
        batch.slices.push_back(std::move(slice));
        used += length;
        m_readInto += length;
    }
    return !batch.slices.empty();
}

void CopyReadAhead::ReaderLoop()
{
    for (std::size_t index = 0;; ++index) {
        Batch& batch = m_batches[index % m_batches.size()];
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [&] { return m_stop || !batch.full; });
            if (m_stop)
                return;
        }
        Fill(batch); // the batch is the reader's alone until it is marked full
        const bool last = m_readRange >= m_ranges.size();
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            batch.full = true;
            batch.last = last;
        }
        m_changed.notify_all();
        if (last)
            return;
    }
}

const CopyReadAhead::Slice* CopyReadAhead::Next()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_finished)
        return nullptr;
    if (!m_reader.joinable())
        m_reader = std::thread(&CopyReadAhead::ReaderLoop, this);
    for (;;) {
        Batch& batch = m_batches[m_batch % m_batches.size()];
        if (m_holding) {
            if (m_slice < batch.slices.size())
                return &batch.slices[m_slice++];
            // This batch is used up: hand it back.
            const bool last = batch.last;
            batch.full = false;
            m_holding = false;
            m_changed.notify_all();
            if (last) {
                m_finished = true;
                return nullptr;
            }
            ++m_batch;
            m_slice = 0;
            continue;
        }
        m_changed.wait(lock, [&] { return batch.full; });
        m_holding = true;
    }
}
