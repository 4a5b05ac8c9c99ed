// SPDX-License-Identifier: GPL-3.0-or-later
// Saving while scanning gives the same files as scanning first and saving
// after, and makes no output folder when nothing is chosen.

#include "bkf_writer.h"
#include "catalogue_collector.h"
#include "catalogue_scan.h"
#include "extraction_support.h"
#include "file_extraction.h"
#include "streaming_extraction.h"
#include "temp_path.h"

#include <gtest/gtest.h>

namespace {

using namespace extraction_test;

TEST(StreamingExtractionTest, SavesWhatAScanFollowedByASaveSaves)
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"docs"}).File("a.txt", "alpha").File("big.bin", Pattern(200000, 3));
    w.File("a.txt", "second a").File("skip.log", "no").Dirb({"more"}).File("nostream", "", FileOptions().NoStan());
    TempFile backup(w.Bytes());
    BkfFileHandle file;
    ASSERT_TRUE(file.Open(backup.Path()));
    const auto choose = [](std::string_view path) { return path.substr(path.size() - 4) != ".log"; };
    std::atomic<bool> running{true};

    TempDir streamed;
    RecordingProgress progress;
    StreamingExtraction streaming(file, streamed.Path(), "R", choose, progress, ExtractionOptions{true});
    CatalogueStore unused;
    CatalogueCollector others(unused); // only for its folder and progress sinks
    ASSERT_TRUE(ScanCatalogue(file, running, ScanSinks{streaming, others, others, nullptr, &streaming}));
    const ExtractionReport a = streaming.Finish(true);

    CatalogueStore store;
    CatalogueCollector collector(store);
    ASSERT_TRUE(ScanCatalogue(file, running, collector.Sinks()));
    for (std::size_t row = 0; row < store.RowCount(); ++row)
        store.SetTicked(row, choose(store.Path(row)));
    TempDir after;
    RecordingProgress progress2;
    const ExtractionReport b =
        ExtractCheckedFiles(file, store, after.Path(), "R", running, progress2, ExtractionOptions{true});

    EXPECT_EQ(streaming.RowsChosen(), 4u);
    EXPECT_EQ(ReportText(a), ReportText(b).replace(ReportText(b).find(after.Path()), after.Path().size(),
                                                     streamed.Path()));
    EXPECT_EQ(TreeOf(a.rootFolder), TreeOf(b.rootFolder));
    for (const std::string& entry : TreeOf(a.rootFolder)) {
        if (entry.back() != '/') {
            EXPECT_EQ(ReadFileBytes(a.rootFolder + "/" + entry), ReadFileBytes(b.rootFolder + "/" + entry)) << entry;
        }
    }
}

TEST(StreamingExtractionTest, NothingChosenMakesNoOutputFolder)
{
    BkfWriter w;
    w.File("a.txt", "alpha").PadTo(2048);
    TempFile backup(w.Bytes());
    BkfFileHandle file;
    ASSERT_TRUE(file.Open(backup.Path()));
    TempDir dest;
    RecordingProgress progress;
    StreamingExtraction streaming(file, dest.Path(), "R", [](std::string_view) { return false; }, progress);
    CatalogueStore unused;
    CatalogueCollector folders(unused);
    std::atomic<bool> running{true};
    ASSERT_TRUE(ScanCatalogue(file, running, ScanSinks{streaming, folders, folders}));
    const ExtractionReport report = streaming.Finish(true);
    EXPECT_FALSE(report.rootCreated);
    EXPECT_EQ(streaming.RowsSeen(), 1u);
    EXPECT_TRUE(TreeOf(dest.Path()).empty());
}

} // namespace
