// SPDX-License-Identifier: GPL-3.0-or-later
#include "read_ahead.h"

#include <algorithm>

ReadAhead::ReadAhead(const BkfFileHandle& file, std::uint64_t begin, std::uint64_t end, std::size_t chunkSize,
                     std::size_t depth)
    : m_file(file), m_begin(begin), m_end(end), m_chunkSize(chunkSize), m_slots(depth),
      m_chunkCount(end > begin ? (end - begin + chunkSize - 1) / chunkSize : 0)
{
    // No more slots than chunks, no larger than the range, and not zeroed:
    // a small backup costs no megabytes and no thread.
    m_slots.resize(static_cast<std::size_t>(std::min<std::uint64_t>(depth, std::max<std::uint64_t>(m_chunkCount, 1))));
    const std::size_t bufferSize =
        static_cast<std::size_t>(std::min<std::uint64_t>(chunkSize, end > begin ? end - begin : 0));
    for (Slot& slot : m_slots)
        slot.buffer.reset(new std::uint8_t[bufferSize]);
    if (m_chunkCount > 1)
        m_reader = std::thread(&ReadAhead::ReaderLoop, this);
}

void ReadAhead::Fill(Slot& slot, std::uint64_t index)
{
    const std::uint64_t position = m_begin + index * m_chunkSize;
    const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(m_chunkSize, m_end - position));
    slot.chunk.position = position;
    slot.chunk.read = RecoveringRead{};
    ReadRecovering(m_file, position, slot.buffer.get(), length, slot.chunk.read);
    slot.chunk.bytes = ByteView(slot.buffer.get(), length);
}

ReadAhead::~ReadAhead()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_reader.joinable())
        m_reader.join();
}

void ReadAhead::ReaderLoop()
{
    for (std::uint64_t index = 0; index < m_chunkCount; ++index) {
        Slot& slot = m_slots[index % m_slots.size()];
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [&] { return m_stop || !slot.full; });
            if (m_stop)
                return;
        }
        Fill(slot, index); // the slot is the reader's alone until it is marked full
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            slot.full = true;
        }
        m_changed.notify_all();
    }
}

const ReadAhead::Chunk* ReadAhead::Next()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_holding) {
        m_slots[(m_consumed - 1) % m_slots.size()].full = false;
        m_holding = false;
        m_changed.notify_all();
    }
    if (m_consumed >= m_chunkCount)
        return nullptr;
    Slot& slot = m_slots[m_consumed % m_slots.size()];
    if (!m_reader.joinable()) {
        Fill(slot, m_consumed); // one chunk: read on this thread
        slot.full = true;
    }
    m_changed.wait(lock, [&] { return slot.full; });
    ++m_consumed;
    m_holding = true;
    return &slot.chunk;
}
