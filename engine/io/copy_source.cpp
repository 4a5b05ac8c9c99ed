// SPDX-License-Identifier: GPL-3.0-or-later
#include "copy_source.h"

#include "recovering_read.h"

#include <algorithm>

CopySource::CopySource(const BkfFileHandle& backup, const std::vector<ByteRange>& ahead) : m_backup(backup)
{
    if (!ahead.empty())
        m_ahead = std::make_unique<CopyReadAhead>(backup, ahead);
}

CopySource::~CopySource() = default;

// Takes the slice asked for from the read-ahead, passing over the slices of
// ranges that were not copied (a file that could not be created, say). False
// when the read-ahead does not hold it: it is then read directly.
bool CopySource::TakeFromReadAhead(std::size_t range, std::uint64_t position, std::size_t length)
{
    while (m_ahead) {
        const CopyReadAhead::Slice* slice = m_pending;
        if (!slice) {
            slice = m_ahead->Next();
            if (!slice) {
                m_ahead.reset();
                break;
            }
            m_pending = slice;
        }
        if (slice->range < range || (slice->range == range && slice->position < position)) {
            m_pending = nullptr; // passed over
            continue;
        }
        if (slice->range != range || slice->position != position || slice->bytes.size() != length)
            return false; // ahead of this request
        m_pending = nullptr;
        m_piece.bytes = slice->bytes;
        m_piece.unreadable = slice->unreadable;
        return true;
    }
    return false;
}

const CopySource::Piece& CopySource::Read(std::size_t range, std::uint64_t position, std::uint64_t end)
{
    const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(kSliceSize, end - position));
    if (TakeFromReadAhead(range, position, length))
        return m_piece;
    m_slice.resize(kSliceSize);
    RecoveringRead read;
    ReadRecovering(m_backup, position, m_slice.data(), length, read);
    m_piece.bytes = ByteView(m_slice.data(), length);
    m_piece.unreadable = std::move(read.unreadable);
    return m_piece;
}
