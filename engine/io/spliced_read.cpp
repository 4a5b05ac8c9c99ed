// SPDX-License-Identifier: GPL-3.0-or-later
#include "spliced_read.h"

#include "bkf_file_handle.h"
#include "recovering_read.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr std::size_t kPageSize = 4096;

} // namespace

SplicedRead::SplicedRead()
{
#ifdef __linux__
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        m_pipe[0] = m_pipe[1] = -1;
        return;
    }
    // 1 MiB is as large as a pipe gets without privileges. A range that does
    // not start on a page boundary takes one page more than its length.
    const int size = ::fcntl(m_pipe[1], F_SETPIPE_SZ, static_cast<int>(kPipeSize));
    const int held = size > 0 ? size : ::fcntl(m_pipe[1], F_GETPIPE_SZ);
    m_pipeBytes = held > static_cast<int>(kPageSize) ? static_cast<std::size_t>(held) - kPageSize : 0;
#endif
}

SplicedRead::~SplicedRead()
{
    for (const int end : m_pipe) {
        if (end >= 0)
            ::close(end);
    }
}

bool SplicedRead::Take(const BkfFileHandle& backup, std::uint64_t position, std::size_t length)
{
    if (length <= m_pipeBytes && Splice(backup, position, length))
        return true;
    EmptyPipe();
    m_buffer.resize(std::max(m_buffer.size(), length));
    RecoveringRead result;
    ReadRecovering(backup, position, m_buffer.data(), length, result);
    m_bytes = ByteView(m_buffer.data(), length);
    return false;
}

// Moves the whole range into the (empty) pipe; false when some of it could
// not be read (or moved) there.
bool SplicedRead::Splice(const BkfFileHandle& backup, std::uint64_t position, std::size_t length)
{
    std::size_t moved = 0;
    while (moved < length) {
        const auto got = backup.SpliceAt(position + moved, m_pipe[1], length - moved);
        if (!got || *got == 0)
            return false;
        moved += *got;
    }
    return true;
}

void SplicedRead::EmptyPipe()
{
#ifdef __linux__
    int held = 0;
    if (m_pipeBytes == 0 || ::ioctl(m_pipe[0], FIONREAD, &held) != 0 || held == 0)
        return;
    std::uint8_t sink[kPageSize];
    while (::read(m_pipe[0], sink, sizeof sink) > 0) {
    }
#endif
}
