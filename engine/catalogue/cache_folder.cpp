// SPDX-License-Identifier: GPL-3.0-or-later
#include "cache_folder.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::int64_t kTemporaryAge = 86400;

struct CacheFile {
    std::string name;
    std::int64_t used = 0; // modification time: set each time the cache is opened
    std::uint64_t bytes = 0;
};

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The caches in the folder; stale temporary files are removed on the way.
std::vector<CacheFile> ListCaches(int folder, std::int64_t now)
{
    std::vector<CacheFile> caches;
    DIR* listing = ::fdopendir(::dup(folder));
    if (!listing)
        return caches;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        struct stat info {};
        if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode))
            continue;
        if (EndsWith(name, ".catalogue"))
            caches.push_back(CacheFile{name, info.st_mtime, static_cast<std::uint64_t>(info.st_size)});
        else if (name.find(".catalogue.tmp") != std::string::npos && now - info.st_mtime > kTemporaryAge)
            ::unlinkat(folder, name.c_str(), 0);
    }
    ::closedir(listing);
    return caches;
}

} // namespace

std::string CatalogueCacheFolder()
{
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg && xdg[0] == '/')
        return std::string(xdg) + "/brevant-veltra-bkf";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.cache/brevant-veltra-bkf";
    return {};
}

void TrimCacheFolder(const std::string& folder, std::int64_t now, const CacheLimits& limits)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    std::vector<CacheFile> caches = ListCaches(fd, now);
    // Most recently used first: what is kept is a prefix.
    std::sort(caches.begin(), caches.end(), [](const CacheFile& a, const CacheFile& b) { return a.used > b.used; });
    std::uint64_t kept = 0;
    bool full = false;
    for (const CacheFile& cache : caches) {
        full = full || kept + cache.bytes > limits.folderBytes;
        if (full || now - cache.used > limits.unusedSeconds)
            ::unlinkat(fd, cache.name.c_str(), 0);
        else
            kept += cache.bytes;
    }
    ::close(fd);
}
