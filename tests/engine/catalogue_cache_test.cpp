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
#include "file_change.h"
#include "file_contents.h"
#include "run_in_child.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>
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
    TempFile backup;
    TempDir folder;
    BkfFileHandle file;
    BackupIdentity identity;

    explicit CacheFixture(const Bytes& bytes = CachedBackup()) : backup(bytes)
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

// A backup changed in its middle with its modification time put back (cp -p,
// touch -r) was listed from the old catalogue, and the window's check before
// a save took it for the backup it had scanned: files saved with wrong bytes.
TEST(CatalogueCacheTest, AChangeWithTheModificationTimePutBackMakesAnotherBackup)
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"docs"}).File("big.bin", Pattern(3u << 20, 4), FileOptions().Checksum());
    CacheFixture f(w.Bytes());
    f.Scan();
    ASSERT_TRUE(f.Load().has_value());
    const FileIdentity scanned = f.file.OpenedAs();
    ASSERT_TRUE(ChangeKeepingModificationTime(f.backup.Path(), 3u << 19, Bytes(4096, 0x5A)));

    BkfFileHandle changed;
    ASSERT_TRUE(changed.Open(f.backup.Path()));
    EXPECT_NE(changed.OpenedAs(), scanned);
    f.identity = IdentifyBackup(changed).value();
    EXPECT_FALSE(f.Load().has_value());
}

// A FIFO in the cache's place held every command in open() for ever, deaf
// to Ctrl-C. Whatever is not a regular file there is no cache, and the next
// scan's cache takes its place.
TEST(CatalogueCacheTest, AnythingButAFileInItsPlaceIsNoCacheAndIsReplaced)
{
    struct Case {
        const char* what;
        std::function<int(const std::string&)> make;
    };
    const Case cases[] = {
        {"a FIFO", [](const std::string& path) { return ::mkfifo(path.c_str(), 0600); }},
        {"a symbolic link", [](const std::string& path) { return ::symlink("/dev/zero", path.c_str()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CacheFixture f;
        ASSERT_EQ(c.make(f.CachePath()), 0);
        EXPECT_EQ(RunInChild([&f] { return f.Load().has_value() ? 1 : 0; }), 0); // nothing: it hung
        f.Scan();
        EXPECT_TRUE(f.Load().has_value());
    }
}

// What a crafted cache (of the backup's key, its hash intact) holds.
struct CraftedCache {
    std::vector<std::string> paths;
    std::vector<CatalogueRow> rows;
    std::vector<std::string> folders = {"BKF\\BACKUP SET 1(_Daily)\\"};
    ScanReport report;

    CatalogueRow& Row(const std::string& path)
    {
        paths.push_back(path);
        rows.emplace_back();
        rows.back().located = true;
        rows.back().offset = 2048;
        rows.back().size = 10;
        return rows.back();
    }

    void Write(const CacheFixture& f)
    {
        CatalogueStore store;
        CatalogueCollector passedOn(store);
        CatalogueCacheWriter writer(f.folder.Path(), f.identity, false, passedOn, &passedOn);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            rows[i].path = paths[i];
            writer.AddRow(rows[i]);
        }
        for (const std::string& folder : folders)
            writer.FolderDated(folder, 0);
        std::string why;
        EXPECT_TRUE(writer.Commit(report, 1700000000, &why)) << why;
    }
};

// A crafted cache printed names with escape sequences raw, forged list rows
// through a line break, and 300 rows of 2^64-1 bytes at offset 0 saved the
// backup 300 times over. Its rows, folders and report texts pass the checks
// a scan's pass, or the cache is not used.
TEST(CatalogueCacheTest, ACraftedCacheHoldsNothingAScanCouldNotGive)
{
    const std::string name = "BKF\\BACKUP SET 1(_Daily)\\";
    struct Case {
        const char* what;
        std::function<void(CraftedCache&)> craft;
        bool used = false;
    };
    const Case cases[] = {
        {"a clean row", [&](CraftedCache& c) { c.Row(name + "a.txt"); }, true},
        {"an escape sequence in a name", [&](CraftedCache& c) { c.Row(name + "a\x1b]2;owned\x07.txt"); }},
        {"a line break forging a row", [&](CraftedCache& c) { c.Row(name + "a.txt\t1\tok\nBKF\\x.txt"); }},
        {"a component that climbs", [&](CraftedCache& c) { c.Row(name + "..\\..\\x.txt"); }},
        {"an empty component", [&](CraftedCache& c) { c.Row(name + "docs\\\\x.txt"); }},
        {"no BKF root", [&](CraftedCache& c) { c.Row("BACKUP SET 1\\x.txt"); }},
        {"a status only the window gives", [&](CraftedCache& c) { c.Row(name + "a").status = RowStatus::Saved; }},
        {"an unknown status", [&](CraftedCache& c) { c.Row(name + "a").status = static_cast<RowStatus>(30); }},
        {"a folder with an escape sequence", [&](CraftedCache& c) { c.folders.push_back(name + "\x1b[2J\\"); }},
        {"a report example with an escape sequence",
         [](CraftedCache& c) { c.report.cutShort.examples.push_back("\"\x1b[2Ja\" (cut short)"); }},
        {"a read error with a line break", [](CraftedCache& c) { c.report.readError = "Input/output error\nforged"; }},
        {"300 rows of the whole backup at offset 0",
         [&](CraftedCache& c) {
             for (int i = 0; i < 300; ++i) {
                 CatalogueRow& row = c.Row(name + "f" + std::to_string(i));
                 row.offset = 0;
                 row.size = UINT64_MAX;
                 row.status = RowStatus::CutShort;
             }
         }},
        {"a row cut short at the next block, then a row after it",
         [&](CraftedCache& c) {
             c.Row(name + "a").size = UINT64_MAX;
             c.rows.back().dataLimit = 4096;
             c.Row(name + "b").offset = 4200;
         },
         true},
        {"a row cut short at the end, then a row inside its data",
         [&](CraftedCache& c) {
             c.Row(name + "a").size = UINT64_MAX;
             c.Row(name + "b").offset = 4200;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CacheFixture f;
        CraftedCache crafted;
        c.craft(crafted);
        crafted.Write(f);
        EXPECT_EQ(f.Load().has_value(), c.used);
    }
}

// The count of slots the scan abandoned comes back with the cached catalogue.
TEST(CatalogueCacheTest, KeepsTheCountOfAbandonedSlots)
{
    CacheFixture f;
    CraftedCache crafted;
    crafted.report.abandonedSlots = 3;
    crafted.Write(f);
    const auto loaded = f.Load();
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->report.back(), "3 slots abandoned after a failure");
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
