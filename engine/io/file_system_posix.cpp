// SPDX-License-Identifier: GPL-3.0-or-later
// The file-system questions answered by POSIX calls.
#include "file_system.h"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace {

void SetWhy(std::string* why, const std::string& text)
{
    if (why)
        *why = text;
}

} // namespace

std::string LastSystemError()
{
    return std::strerror(errno);
}

PathState LookUpPath(const std::string& path, bool followLinks, std::string* why)
{
    struct stat info {};
    const int result = followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
    if (result == 0) {
        if (S_ISDIR(info.st_mode))
            return PathState::Folder;
        SetWhy(why, "\"" + path + "\" is not a folder");
        return PathState::NotFolder;
    }
    if (errno == ENOENT)
        return PathState::Missing;
    SetWhy(why, "\"" + path + "\": " + LastSystemError());
    return PathState::Unknown;
}

bool MakeFolder(const std::string& path, std::string* why)
{
    if (::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST)
        return true;
    SetWhy(why, "cannot create \"" + path + "\": " + LastSystemError());
    return false;
}
