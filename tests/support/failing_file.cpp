// SPDX-License-Identifier: GPL-3.0-or-later
#include "failing_file.h"

#include <algorithm>
#include <cerrno>

std::optional<std::size_t> FailingFile::Readable(std::uint64_t position, std::size_t length) const
{
    std::uint64_t readable = length;
    for (const Range& range : m_failing) {
        if (position >= range.begin && position < range.end) {
            errno = EIO;
            return std::nullopt;
        }
        if (range.begin > position)
            readable = std::min<std::uint64_t>(readable, range.begin - position);
    }
    return static_cast<std::size_t>(readable);
}

std::optional<std::size_t> FailingFile::ReadAt(std::uint64_t position, void* buffer, std::size_t length) const
{
    const auto readable = Readable(position, length);
    return readable ? BkfFileHandle::ReadAt(position, buffer, *readable) : std::nullopt;
}

std::optional<std::size_t> FailingFile::SpliceAt(std::uint64_t position, int pipe, std::size_t length) const
{
    const auto readable = Readable(position, length);
    return readable ? BkfFileHandle::SpliceAt(position, pipe, *readable) : std::nullopt;
}
