// SPDX-License-Identifier: GPL-3.0-or-later
#include "sequential_reader.h"

#include <algorithm>

SequentialReader::SequentialReader(const BkfFileHandle& file, std::uint64_t begin, std::uint64_t end,
                                   std::size_t chunkSize)
    : m_file(file), m_end(end), m_chunkSize(chunkSize), m_next(begin)
{
    // No larger than the range, and not zeroed: a small backup costs no megabyte.
    const auto size = static_cast<std::size_t>(std::min<std::uint64_t>(chunkSize, end > begin ? end - begin : 0));
    for (auto& buffer : m_buffers)
        buffer.reset(new std::uint8_t[size]);
}

void SequentialReader::Read(Chunk& chunk, std::uint8_t* buffer)
{
    const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(m_chunkSize, m_end - m_next));
    chunk.position = m_next;
    chunk.read = RecoveringRead{};
    ReadRecovering(m_file, m_next, buffer, length, chunk.read);
    chunk.bytes = ByteView(buffer, length);
    m_next += length;
}

const SequentialReader::Chunk* SequentialReader::Peek()
{
    const int other = 1 - m_current;
    if (!m_peeked) {
        if (m_next >= m_end)
            return nullptr;
        Read(m_chunks[other], m_buffers[other].get());
        m_peeked = true;
    }
    return &m_chunks[other];
}

const SequentialReader::Chunk* SequentialReader::Next()
{
    const Chunk* next = Peek();
    if (next != nullptr) {
        m_current = 1 - m_current;
        m_peeked = false;
    }
    return next;
}

void SequentialReader::SkipTo(std::uint64_t position)
{
    position = std::min(position, m_end);
    if (m_peeked && position >= m_next)
        m_peeked = false; // read for nothing: the skip passes over it
    if (!m_peeked)
        m_next = std::max(m_next, position);
}
