// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpus of the cache fuzzer: the cache each backup in the
// first folder given leaves after a scan (the scan fuzzer's seeds, valid and
// damaged), without its header and hash, into the second folder.
//
//   make_cache_seeds BACKUPS OUTDIR

#include "bkf_file_handle.h"
#include "cache_frame.h"
#include "catalogue_collector.h"
#include "catalogue_scan.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The body of the cache a completed scan of `backup` leaves in `folder`.
std::string ScannedCacheBody(const fs::path& backup, const std::string& folder)
{
    BkfFileHandle file;
    if (!file.Open(backup.string()))
        return {};
    CatalogueStore store;
    CatalogueCollector collector(store);
    CatalogueCacheWriter writer(folder, kFuzzedBackup, false, collector, &collector);
    ScanReport report;
    const std::atomic<bool> running{true};
    std::string why;
    if (!ScanCatalogue(file, running, ScanSinks{writer, collector, collector, nullptr, &writer}, report)
        || !writer.Commit(report, 1700000000, &why))
        return {};
    return CacheBody(ReadAll(CatalogueCachePath(folder, kFuzzedBackup)));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_cache_seeds BACKUPS OUTDIR\n");
        return 1;
    }
    const fs::path out = argv[2];
    std::error_code error;
    fs::create_directories(out / "scratch", error);
    if (error) {
        std::fprintf(stderr, "make_cache_seeds: cannot create %s: %s\n", argv[2], error.message().c_str());
        return 1;
    }
    int written = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(argv[1], error)) {
        const std::string body = ScannedCacheBody(entry.path(), (out / "scratch").string());
        if (body.empty())
            continue;
        const fs::path seed = out / (entry.path().stem().string() + ".cache");
        std::ofstream(seed, std::ios::binary | std::ios::trunc) << body;
        std::printf("%s (%zu bytes)\n", seed.string().c_str(), body.size());
        ++written;
    }
    fs::remove_all(out / "scratch", error);
    if (written == 0) {
        std::fprintf(stderr, "make_cache_seeds: no backup in %s gave a cache\n", argv[1]);
        return 1;
    }
    return 0;
}
