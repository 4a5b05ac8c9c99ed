// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-recover's catalogue cache as a user meets it: a second run on the same
// backup gives the same output without scanning, and says so.

#include "bkf_file_handle.h"
#include "bkf_writer.h"
#include "catalogue_cache.h"
#include "catalogue_collector.h"
#include "catalogue_scan.h"
#include "cli_tool.h"
#include "extraction_report.h"
#include "file_contents.h"
#include "file_system.h"
#include "temp_path.h"

#include <gtest/gtest.h>

namespace {

using namespace test_files;

const char kNotice[] = "bkf-recover: catalogue from the scan of ";

bool SaysFromCache(const Tool::Result& result)
{
    return result.err.find(kNotice) != std::string::npos
           && result.err.find("; --rescan to scan again\n") != std::string::npos;
}

TEST(CliCacheTest, ASecondRunUsesTheCacheUnlessToldNotTo)
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"docs"}).File("a.txt", Pattern(10, 1)).File("b.bin", Pattern(70000, 2));
    const TempFile backup(w.Bytes());
    const TempDir cache, saved;
    ToolSetup setup;
    setup.environment = {"XDG_CACHE_HOME=" + cache.Path()};
    const auto run = [&](std::vector<std::string> args) { return RunRecover(args, setup); };

    const Tool::Result first = run({"list", backup.Path()});
    ASSERT_EQ(first.status, 0) << Describe(first);
    EXPECT_FALSE(SaysFromCache(first));
    struct Case {
        std::vector<std::string> options;
        bool fromCache;
    };
    for (const Case& c : {Case{{}, true}, Case{{"--rescan"}, false}, Case{{"--no-cache"}, false},
                          Case{{"--deep"}, false}, Case{{}, true}}) {
        std::vector<std::string> args = {"list", backup.Path()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Tool::Result again = run(args);
        EXPECT_EQ(again.out, first.out) << Describe(again);
        EXPECT_EQ(SaysFromCache(again), c.fromCache) << Describe(again);
    }

    const Tool::Result fromCache = run({"extract", backup.Path(), saved.Child("cached")});
    const Tool::Result scanned = run({"extract", "--no-cache", backup.Path(), saved.Child("scanned")});
    EXPECT_TRUE(SaysFromCache(fromCache)) << Describe(fromCache);
    const std::string file = "/Recovered BKF/BKF/BACKUP SET 1(_Daily)/docs/b.bin";
    EXPECT_EQ(ReadFileBytes(saved.Child("cached") + file), Pattern(70000, 2));
    EXPECT_EQ(TreeOf(saved.Child("cached")), TreeOf(saved.Child("scanned")));
}

TEST(CliCacheTest, AFolderThatCannotBeMadeIsNoErrorAndWarnsOnlyUnderVerbose)
{
    BkfWriter w;
    w.Sset("Daily").Dirb({}).File("a.txt", Pattern(10, 1));
    const TempFile backup(w.Bytes());
    ToolSetup setup;
    setup.environment = {"XDG_CACHE_HOME=" + backup.Path() + "/cache"};
    const Tool::Result quiet = RunRecover({"list", backup.Path()}, setup);
    EXPECT_EQ(quiet.status, 0);
    EXPECT_TRUE(IsSummary(quiet.err, "1 file in 1 set found in ")) << Describe(quiet);
    const Tool::Result verbose = RunRecover({"list", "-v", backup.Path()}, setup);
    EXPECT_EQ(verbose.status, 0);
    EXPECT_NE(verbose.err.find("warning: cannot create"), std::string::npos) << Describe(verbose);
}

// Passes the rows on with their recorded data checksums changed.
class ChangedChecksums : public CatalogueSink {
public:
    explicit ChangedChecksums(CatalogueSink& next) : m_next(next) {}
    void AddRow(const CatalogueRow& row) override
    {
        CatalogueRow changed = row;
        if (changed.checksum)
            *changed.checksum ^= 1;
        m_next.AddRow(changed);
    }

private:
    CatalogueSink& m_next;
};

// A file whose data failed the checksum of a row from the kept catalogue was
// called damaged, where the backup had more likely changed since that scan.
TEST(CliCacheTest, AChecksumThatFailsOnACachedRowSuggestsARescan)
{
    BkfWriter w;
    w.Sset("Daily").Dirb({}).File("a.txt", Pattern(100, 1), FileOptions().Checksum());
    const TempFile backup(w.Bytes());
    const TempDir cache, saved;
    const std::string folder = cache.Path() + "/brevant-veltra-bkf";
    ASSERT_TRUE(CreateFolderChain(folder + "/"));
    BkfFileHandle file;
    ASSERT_TRUE(file.Open(backup.Path()));
    CatalogueStore store;
    CatalogueCollector collector(store);
    CatalogueCacheWriter writer(folder, IdentifyBackup(file).value(), false, collector, &collector);
    ChangedChecksums changed(writer);
    ScanReport report;
    const std::atomic<bool> running{true};
    ASSERT_TRUE(ScanCatalogue(file, running, ScanSinks{changed, collector, collector, nullptr, &writer}, report));
    std::string why;
    ASSERT_TRUE(writer.Commit(report, 1700000000, &why)) << why;

    ToolSetup setup;
    setup.environment = {"XDG_CACHE_HOME=" + cache.Path()};
    const Tool::Result run = RunRecover({"extract", backup.Path(), saved.Path()}, setup);
    EXPECT_EQ(run.status, 2) << Describe(run);
    EXPECT_NE(run.err.find("a.txt: its data differ from the checksum the earlier scan found; if the backup changed "
                           "since, --rescan to scan it again\n"),
              std::string::npos)
        << Describe(run);
    EXPECT_EQ(run.err.find(kDamagedDataText), std::string::npos) << Describe(run);
}

} // namespace
