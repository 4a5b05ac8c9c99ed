// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_size_limit.h"

#include <algorithm>
#include <csignal>

#include <sys/resource.h>

namespace {

std::uint64_t SetSoftLimit(std::uint64_t bytes)
{
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const std::uint64_t previous = limit.rlim_cur;
    limit.rlim_cur = static_cast<rlim_t>(std::min<std::uint64_t>(bytes, limit.rlim_max));
    ::setrlimit(RLIMIT_FSIZE, &limit);
    return previous;
}

} // namespace

void LimitTestFileSize()
{
    std::signal(SIGXFSZ, SIG_IGN);
    SetSoftLimit(kTestFileSizeLimit);
}

FileSizeLimitScope::FileSizeLimitScope(std::uint64_t bytes) : m_previous(SetSoftLimit(bytes)) {}

FileSizeLimitScope::~FileSizeLimitScope()
{
    SetSoftLimit(m_previous);
}

FileSizeLimitLift::FileSizeLimitLift() : FileSizeLimitScope(RLIM_INFINITY) {}
