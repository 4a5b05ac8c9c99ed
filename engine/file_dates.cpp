// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_dates.h"

#include "mtf_date.h"

#ifndef _WIN32
#include <fcntl.h>    // AT_FDCWD
#include <sys/stat.h> // utimensat
#else
#include "file_system.h"

#include <windows.h>
#endif

namespace {

// Both systems take "/" between the folders of a path.
constexpr char kSeparator = '/';

#ifdef _WIN32
bool SetModificationTime(const std::string& path, std::int64_t seconds)
{
    const HANDLE handle = CreateFileW(Widen(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                      nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const std::uint64_t ticks = static_cast<std::uint64_t>(seconds + 11644473600LL) * 10000000ULL;
    FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    const bool done = SetFileTime(handle, nullptr, nullptr, &time) != 0;
    CloseHandle(handle);
    return done;
}
#else
// The access time stays as it is; links are never followed.
bool SetModificationTime(const std::string& path, std::int64_t seconds)
{
    struct timespec times[2] = {};
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(seconds);
    return ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0;
}
#endif

std::string Joined(const std::vector<std::string>& components, std::size_t count, char separator)
{
    std::string joined;
    for (std::size_t i = 0; i < count; ++i)
        joined.append(i == 0 ? "" : std::string(1, separator)).append(components[i]);
    return joined;
}

} // namespace

void FileDates::FileSaved(const std::vector<std::string>& components, const std::vector<std::string>& savedAs,
                          std::uint64_t modified, ExtractionReport& report)
{
    if (components.size() != savedAs.size() || components.empty())
        return;
    for (std::size_t depth = 1; depth < components.size(); ++depth)
        m_folders.emplace(Joined(components, depth, '\\'), Joined(savedAs, depth, kSeparator));
    SetDate(Joined(savedAs, savedAs.size(), kSeparator), modified, report);
}

void FileDates::SetFolderDates(const std::vector<FolderDate>& folders, ExtractionReport& report) const
{
    for (const FolderDate& folder : folders) {
        std::string path = folder.path;
        while (!path.empty() && path.back() == '\\')
            path.pop_back();
        const auto saved = m_folders.find(path);
        if (saved != m_folders.end())
            SetDate(saved->second, folder.modified, report);
    }
}

void FileDates::SetDate(const std::string& relative, std::uint64_t modified, ExtractionReport& report) const
{
    const auto seconds = MtfDateSeconds(modified);
    if (!seconds)
        ++report.datesUnknown;
    else if (SetModificationTime(m_root + kSeparator + relative, *seconds))
        ++report.datesRestored;
    else
        ++report.datesRefused;
}
