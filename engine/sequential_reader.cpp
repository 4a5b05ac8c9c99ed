// SPDX-License-Identifier: GPL-3.0-or-later
#include "sequential_reader.h"

#include <algorithm>

SequentialReader::SequentialReader(const BkfFileHandle& file, std::uint64_t begin, std::uint64_t end,
                                   std::size_t chunkSize)
    : m_file(file), m_end(end), m_chunkSize(chunkSize), m_next(begin),
      // No larger than the range, and not zeroed: a small backup costs no megabyte.
      m_buffer(new std::uint8_t[static_cast<std::size_t>(std::min<std::uint64_t>(chunkSize, end > begin ? end - begin : 0))])
{
}

const SequentialReader::Chunk* SequentialReader::Next()
{
    if (m_next >= m_end)
        return nullptr;
    const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(m_chunkSize, m_end - m_next));
    m_chunk.position = m_next;
    m_chunk.read = RecoveringRead{};
    ReadRecovering(m_file, m_next, m_buffer.get(), length, m_chunk.read);
    m_chunk.bytes = ByteView(m_buffer.get(), length);
    m_next += length;
    return &m_chunk;
}

void SequentialReader::SkipTo(std::uint64_t position)
{
    m_next = std::max(m_next, std::min(position, m_end));
}
