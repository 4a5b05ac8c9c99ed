// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where catalogue caches are kept, and how the folder stays bounded.

#include <cstdint>
#include <string>

// $XDG_CACHE_HOME/brevant-veltra-bkf, or ~/.cache/brevant-veltra-bkf; ""
// when neither variable names a folder.
std::string CatalogueCacheFolder();

struct CacheLimits {
    std::int64_t unusedSeconds = 90 * 86400;         // caches not opened for this long go
    std::uint64_t folderBytes = std::uint64_t{2} << 30; // then the oldest until the rest fit
};

// Removes from `folder` the caches not opened within the limit, then the
// least recently opened ones until the others fit its size. Temporary files
// left by a run that ended early go once they are a day old.
void TrimCacheFolder(const std::string& folder, std::int64_t now, const CacheLimits& limits = {});
