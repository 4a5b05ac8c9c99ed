// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_system.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {
#ifdef _WIN32
constexpr const char* kPathSeparators = "/\\";
#else
constexpr const char* kPathSeparators = "/"; // "\" is an ordinary character of a name here
#endif

void SetWhy(std::string* why, const std::string& text)
{
    if (why)
        *why = text;
}
} // namespace

#ifdef _WIN32

std::wstring Widen(const std::string& utf8)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<std::size_t>(length) : 0, L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), length);
    if (!wide.empty())
        wide.pop_back();
    return wide;
}

std::string LastSystemError()
{
    return "system error " + std::to_string(GetLastError());
}

PathState LookUpPath(const std::string& path, bool followLinks, std::string* why)
{
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return PathState::Missing;
        SetWhy(why, "\"" + path + "\": " + LastSystemError());
        return PathState::Unknown;
    }
    const bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && (followLinks || !link))
        return PathState::Folder;
    SetWhy(why, "\"" + path + "\" is not a folder");
    return PathState::NotFolder;
}

bool MakeFolder(const std::string& path, std::string* why)
{
    if (CreateDirectoryW(Widen(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
        return true;
    SetWhy(why, "cannot create \"" + path + "\": " + LastSystemError());
    return false;
}

#else

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

#endif

bool CreateFolderChain(const std::string& path, std::string* why)
{
    // A separator in the very first character (the file system root) is never a folder to make.
    for (std::size_t at = path.find_first_of(kPathSeparators, 1); at != std::string::npos;
         at = path.find_first_of(kPathSeparators, at + 1)) {
        const std::string folder = path.substr(0, at);
        // The destination was chosen by the user: links along it are followed.
        switch (LookUpPath(folder, true, why)) {
        case PathState::Folder:
            break;
        case PathState::Missing:
            if (!MakeFolder(folder, why))
                return false;
            break;
        case PathState::NotFolder:
        case PathState::Unknown:
            return false;
        }
    }
    return true;
}
