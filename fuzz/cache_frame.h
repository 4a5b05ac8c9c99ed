// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the cache fuzzer's inputs become cache files, and back: an input is
// what follows the header of a cache of one fixed backup, without the hash
// at the end.

#include "cache_codec.h"
#include "catalogue_cache.h"

#include <cstdint>
#include <string>
#include <string_view>

// The backup every fuzzed cache is of: 1 GiB, so that seeds' rows lie inside it.
constexpr BackupIdentity kFuzzedBackup{1, 2, std::uint64_t{1} << 30, 3, 4, 5};

// A cache of kFuzzedBackup holding `body`, its hash intact.
inline std::string FramedCache(std::string_view body)
{
    std::string file = CatalogueCacheHeader(kFuzzedBackup, false);
    file.append(body);
    StreamHash hash;
    hash.Add(file.data(), file.size());
    const std::uint64_t value = hash.Value();
    for (int i = 0; i < 8; ++i)
        file.push_back(static_cast<char>(value >> (8 * i)));
    return file;
}

// The body of a cache file of kFuzzedBackup (a default scan's); "" when it is none.
inline std::string CacheBody(const std::string& file)
{
    const std::string header = CatalogueCacheHeader(kFuzzedBackup, false);
    if (file.size() < header.size() + 8 || file.compare(0, header.size(), header) != 0)
        return {};
    return file.substr(header.size(), file.size() - header.size() - 8);
}
