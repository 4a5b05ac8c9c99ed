// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue cache: what a completed scan leaves is handed back exactly,
// and a cache that is damaged, of another version or of another backup is
// never used.

#include "bkf_file_handle.h"
#include "bkf_writer.h"
#include "cache_codec.h"
#include "cache_folder.h"
#include "catalogue_cache.h"
#include "catalogue_collector.h"
#include "catalogue_scan.h"
#include "file_contents.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include <sys/stat.h>
#include <utime.h>

namespace {

using namespace test_files;

std::vector<std::uint8_t> CachedBackup()
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"docs"}).Dated(BkfWriter::Date(2024, 5, 6, 7, 8));
    w.File("a.txt", Pattern(10, 1), FileOptions().Checksum().Modified(BkfWriter::Date(2023, 1, 2)));
    w.File("b.bin", Pattern(70000, 2)).Dirb({"docs", "deep"}).File("c.txt", Pattern(3000, 3));
    w.Truncate(w.LastFile().data + 1000);
    return w.Bytes();
}

std::string RowText(const CatalogueRow& row)
{
    std::ostringstream text;
    text << row.path << ' ' << row.located << row.verified << ' ' << row.size << ' ' << row.offset << ' '
         << row.modified << ' ' << row.checksum.value_or(0) << row.checksum.has_value() << ' ' << row.dataLimit << ' '
         << RowStatusText(row.status);
    return text.str();
}

struct Catalogue {
    std::vector<std::string> rows, folderDates, report;
};

Catalogue Read(const CatalogueStore& store, const ScanReport& report)
{
    Catalogue catalogue;
    for (std::size_t row = 0; row < store.RowCount(); ++row)
        catalogue.rows.push_back(RowText(store.Row(row)));
    for (const FolderDate& date : store.FolderDates())
        catalogue.folderDates.push_back(date.path + " " + std::to_string(date.modified));
    catalogue.report = ScanReportDetails(report);
    catalogue.report.push_back(ScanReportSummary(report));
    return catalogue;
}

struct CacheFixture {
    TempFile backup{CachedBackup()};
    TempDir folder;
    BkfFileHandle file;
    BackupIdentity identity;

    CacheFixture()
    {
        EXPECT_TRUE(file.Open(backup.Path()));
        identity = IdentifyBackup(file).value();
    }

    // Scans with the cache written as the scan goes; `completed` false stops the scan at once.
    Catalogue Scan(bool deep = false, bool completed = true)
    {
        CatalogueStore store;
        CatalogueCollector collector(store);
        CatalogueCacheWriter writer(folder.Path(), identity, deep, collector, &collector);
        ScanReport report;
        const std::atomic<bool> running{completed};
        ScanOptions options;
        options.deep = deep;
        const bool done = ScanCatalogue(file, running, ScanSinks{writer, collector, collector, nullptr, &writer},
                                        report, options);
        std::string why;
        if (done) {
            EXPECT_TRUE(writer.Commit(report, 1700000000, &why)) << why;
        }
        return Read(store, report);
    }

    std::optional<Catalogue> Load(bool deep = false)
    {
        CatalogueStore store;
        CatalogueCollector collector(store);
        ScanReport report;
        const std::atomic<bool> running{true};
        const CacheLoad load = LoadCatalogueCache(folder.Path(), identity, deep, collector, &collector, report, running);
        if (!load.found)
            return std::nullopt;
        EXPECT_TRUE(load.completed);
        EXPECT_EQ(load.scannedAt, 1700000000);
        return Read(store, report);
    }

    std::string CachePath() const { return CatalogueCachePath(folder.Path(), identity); }
};

bool operator==(const Catalogue& a, const Catalogue& b)
{
    return a.rows == b.rows && a.folderDates == b.folderDates && a.report == b.report;
}

TEST(CatalogueCacheTest, HandsBackTheRowsFolderDatesAndReportOfTheScan)
{
    CacheFixture f;
    const Catalogue scanned = f.Scan();
    ASSERT_EQ(scanned.rows.size(), 3u);
    ASSERT_FALSE(scanned.folderDates.empty());
    const auto loaded = f.Load();
    ASSERT_TRUE(loaded.has_value());
    EXPECT_TRUE(*loaded == scanned);
}

// Rewrites byte `at` of the file and, when `rehash`, the hash at its end, so
// that only the field itself differs.
void Patch(const std::string& path, std::size_t at, std::uint8_t value, bool rehash)
{
    Bytes bytes = ReadFileBytes(path).value();
    bytes.at(at) = value;
    if (rehash) {
        StreamHash stream;
        stream.Add(bytes.data(), bytes.size() - 8);
        std::uint64_t hash = stream.Value();
        for (std::size_t i = bytes.size() - 8; i < bytes.size(); ++i, hash >>= 8)
            bytes[i] = static_cast<std::uint8_t>(hash);
    }
    WriteFileBytes(path, bytes);
}

// The hash of a file written in pieces is checked on reads of other pieces.
TEST(CatalogueCacheTest, StreamHashIsTheSameHoweverTheBytesAreCut)
{
    Bytes bytes(1000);
    for (std::size_t at = 0; at < bytes.size(); ++at)
        bytes[at] = static_cast<std::uint8_t>(at * 131 + 7);
    const auto hashOf = [](const Bytes& data, std::size_t cut) {
        StreamHash hash;
        for (std::size_t at = 0; at < data.size(); at += cut)
            hash.Add(data.data() + at, std::min(cut, data.size() - at));
        return hash.Value();
    };
    const std::uint64_t whole = hashOf(bytes, bytes.size());
    for (const std::size_t cut : {1, 3, 7, 8, 9, 500})
        EXPECT_EQ(hashOf(bytes, cut), whole) << "pieces of " << cut;
    Bytes changed = bytes;
    changed[997] ^= 1;
    EXPECT_NE(hashOf(changed, 8), whole);
    Bytes longer = bytes;
    longer.push_back(0);
    EXPECT_NE(hashOf(longer, 8), whole); // a zero byte more is not the same stream
}

TEST(CatalogueCacheTest, IsNeverUsedWhenItDoesNotMatchOrIsDamaged)
{
    struct Case {
        const char* what;
        std::function<void(CacheFixture&)> spoil;
        bool deepScan = false, deepRequest = false, used = false;
    };
    const Case cases[] = {
        {"intact", [](CacheFixture&) {}, false, false, true},
        {"a deep scan's cache serves a default request", [](CacheFixture&) {}, true, false, true},
        {"a default scan's cache does not serve --deep", [](CacheFixture&) {}, false, true},
        {"a byte changed in a row", [](CacheFixture& f) { Patch(f.CachePath(), 60, 'x', false); }},
        {"cut short", [](CacheFixture& f) { ::truncate(f.CachePath().c_str(), 100); }},
        {"another version", [](CacheFixture& f) { Patch(f.CachePath(), 8, 9, true); }},
        {"another modification time", [](CacheFixture& f) { f.identity.modifiedNs += 1; }},
        {"other first or last bytes", [](CacheFixture& f) { f.identity.edgeHash ^= 1; }},
        {"another size", [](CacheFixture& f) { f.identity.size += 512; }},
    };
    for (const Case& c : cases) {
        CacheFixture f;
        f.Scan(c.deepScan);
        c.spoil(f);
        EXPECT_EQ(f.Load(c.deepRequest).has_value(), c.used) << c.what;
    }
}

TEST(CatalogueCacheTest, AStoppedScanLeavesNoFile)
{
    CacheFixture f;
    f.Scan(false, false);
    EXPECT_EQ(TreeOf(f.folder.Path()), std::set<std::string>{});
}

TEST(CatalogueCacheTest, TrimRemovesCachesUnusedFor90DaysThenTheOldestBeyondTheSize)
{
    const TempDir folder;
    const std::int64_t now = 2000000000, day = 86400;
    const auto cache = [&](const std::string& name, std::int64_t age, std::size_t size) {
        WriteFileBytes(folder.Child(name), Bytes(size, 1));
        const utimbuf times{static_cast<time_t>(now - age), static_cast<time_t>(now - age)};
        ::utime(folder.Child(name).c_str(), &times);
    };
    cache("new.catalogue", 0, 400);
    cache("month.catalogue", 30 * day, 400);
    cache("older.catalogue", 60 * day, 400);
    cache("stale.catalogue", 91 * day, 10);
    cache("left.catalogue.tmp12", 2 * day, 10);
    cache("other.txt", 200 * day, 10);
    TrimCacheFolder(folder.Path(), now, CacheLimits{90 * day, 1000});
    EXPECT_EQ(TreeOf(folder.Path()), (std::set<std::string>{"month.catalogue", "new.catalogue", "other.txt"}));
}

} // namespace
