// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A change to a file's content that leaves its size and modification time as
// they were, as `cp -p`, `touch -r` or `rsync --inplace -t` leave them.

#include <cstdint>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Writes `bytes` at `offset` of the file, then puts its access and
// modification times back. Only its change time tells. The write is repeated
// until that time moved on: the system keeps it at the grain of its clock tick.
inline bool ChangeKeepingModificationTime(const std::string& path, std::uint64_t offset,
                                          const std::vector<std::uint8_t>& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    struct stat before {}, after {};
    if (fd < 0 || ::fstat(fd, &before) != 0) {
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    bool written = true;
    do {
        written = ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset))
                      == static_cast<ssize_t>(bytes.size())
            && ::fstat(fd, &after) == 0;
    } while (written && after.st_ctim.tv_sec == before.st_ctim.tv_sec
             && after.st_ctim.tv_nsec == before.st_ctim.tv_nsec);
    const timespec times[2] = {before.st_atim, before.st_mtim};
    written = written && ::futimens(fd, times) == 0;
    return ::close(fd) == 0 && written;
}
