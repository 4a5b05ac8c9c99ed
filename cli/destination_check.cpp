// SPDX-License-Identifier: GPL-3.0-or-later
#include "destination_check.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ParentOf(const std::string& path)
{
    const std::size_t slash = path.find_last_not_of('/') == std::string::npos
                                  ? std::string::npos
                                  : path.find_last_of('/', path.find_last_not_of('/'));
    if (slash == std::string::npos)
        return ".";
    const std::size_t end = path.find_last_not_of('/', slash);
    return end == std::string::npos ? "/" : path.substr(0, end + 1);
}

// Creates and removes a file in `folder`; the system's reason when it cannot.
std::string FileCreationProblem(const std::string& folder)
{
    std::string name = folder + "/.bkf-recover-XXXXXX";
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    const int fd = ::mkstemp(buffer.data());
    if (fd < 0)
        return "cannot create a file in " + folder + ": " + std::strerror(errno);
    ::close(fd);
    ::unlink(buffer.data());
    return {};
}

} // namespace

std::string DestinationProblem(const std::string& destination)
{
    // The nearest part of the path that exists decides: a folder where
    // files can be made, or the reason why not.
    for (std::string path = destination;; path = ParentOf(path)) {
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0) {
            if (!S_ISDIR(info.st_mode))
                return path == destination ? "not a folder" : path + " is not a folder";
            return FileCreationProblem(path);
        }
        if (errno != ENOENT && errno != ENOTDIR)
            return std::strerror(errno);
        if (path == "/" || path == ".")
            return std::strerror(errno);
    }
}
