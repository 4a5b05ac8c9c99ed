// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_window_reader.h"

#include <algorithm>
#include <utility>

namespace {

// Bounds of a read for fields away from the next window.
constexpr std::size_t kLeastFieldRead = 512;
constexpr std::size_t kMostFieldRead = 8192;

} // namespace

ScanWindowReader::ScanWindowReader(const BkfFileHandle& file, std::uint64_t fileSize)
    : m_file(file), m_fileSize(fileSize), m_fieldRead(kLeastFieldRead)
{
}

void ScanWindowReader::Read(Buffer& buffer, std::uint64_t position, std::size_t length)
{
    length = static_cast<std::size_t>(std::min<std::uint64_t>(length, m_fileSize - position));
    // Grown, never zeroed: the read fills what is used.
    if (buffer.bytes.size() < length)
        buffer.bytes.resize(length);
    buffer.position = position;
    buffer.read = RecoveringRead{};
    ReadRecovering(m_file, position, buffer.bytes.data(), length, buffer.read);
    buffer.valid = length;
}

const ScanWindowReader::Window* ScanWindowReader::WindowAt(std::uint64_t position, std::size_t length)
{
    if (position >= m_fileSize)
        return nullptr;
    m_length = length;
    if (m_ahead.Holds(position, 1)) {
        // The read made for the last window's fields: no bytes read twice.
        std::swap(m_window, m_ahead);
        m_ahead.valid = 0;
    } else {
        Read(m_window, position, length);
    }
    // A window ends on the grid, but at the end of the backup: the next one
    // starts where it ends. The bytes after it serve fields all the same.
    std::size_t available = static_cast<std::size_t>(m_window.valid - (position - m_window.position));
    if (position + available < m_fileSize)
        available = available / kSectorSize * kSectorSize;
    if (available == 0) {
        Read(m_window, position, length);
        available = m_window.valid;
    }
    m_held = ByteView(m_window.bytes.data(), m_window.valid);
    m_heldPosition = m_window.position;
    m_view.position = position;
    m_view.bytes = ByteView(m_window.bytes.data() + (position - m_window.position), std::min(length, available));
    m_view.read = &m_window.read;
    return &m_view;
}

void ScanWindowReader::SetFieldRead(std::size_t bytes)
{
    m_fieldRead = std::clamp(bytes, kLeastFieldRead, kMostFieldRead);
}

ByteView ScanWindowReader::FetchPastWindow(std::uint64_t position, std::size_t length)
{
    if (position >= m_fileSize)
        return {};
    length = static_cast<std::size_t>(std::min<std::uint64_t>(length, m_fileSize - position));
    if (position >= m_heldPosition && position - m_heldPosition + length <= m_held.size())
        return ByteView(m_held.data() + (position - m_heldPosition), length); // cut by the end of the backup
    if (!m_ahead.Holds(position, length))
        ReadAhead(position, length);
    const std::size_t within = static_cast<std::size_t>(position - m_ahead.position);
    return ByteView(m_ahead.bytes.data() + within, std::min(length, m_ahead.valid - within));
}

// A field within reach of the window's end brings the next window in with
// it, from that end; one further on is read with the bytes after it, so that
// a window which starts among them can reuse the read.
void ScanWindowReader::ReadAhead(std::uint64_t position, std::size_t length)
{
    const std::uint64_t windowEnd = m_view.position + m_view.bytes.size();
    std::uint64_t start = position;
    std::size_t span = m_fieldRead;
    if (position >= m_view.position && position < windowEnd + m_length) {
        // Also what a read from the field would hold: the fields after a
        // small file's data lie on both sides of the next window's end.
        start = std::min(position, windowEnd);
        span = static_cast<std::size_t>(std::max(windowEnd + m_length, position + m_fieldRead) - start);
    }
    span = std::max(span, static_cast<std::size_t>(position - start) + length);
    Read(m_ahead, start, span);
}
