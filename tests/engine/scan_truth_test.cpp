// SPDX-License-Identifier: GPL-3.0-or-later
// What the scan tells of a backup: an intact one lists exactly its files
// with nothing to report; damage is said when the scan ends; a file goes to
// the folder its directory ID names, never silently to another.

#include "bkf_writer.h"
#include "catalogue_collector.h"
#include "catalogue_scan.h"
#include "extraction_support.h"
#include "failing_file.h"
#include "scan_recorder.h"
#include "temp_path.h"

#include <gtest/gtest.h>

namespace {

using namespace extraction_test;

const std::string kSet = R"(BKF\BACKUP SET 1(_Daily)\)";

// A backup of another backup, and where its data start so that its blocks
// lie on the grid inside the file's data.
Bytes Image()
{
    BkfWriter inner;
    inner.Sset("Inner").Dirb({"in"}).File("inner.txt", Pattern(3000, 7)).File("two.txt", "2");
    return inner.Bytes();
}
FileOptions OnTheGrid()
{
    return FileOptions().StanAt(512 - 22);
}

// Scans a backup of one set "Daily" whose blocks `write` adds.
ScanResult ScanSet(void (*write)(BkfWriter&))
{
    BkfWriter w;
    w.Sset("Daily");
    write(w);
    return ScanBytes(w.Bytes());
}

TEST(ScanTruthTest, IntactBackupsListExactlyTheirFiles)
{
    struct Case {
        const char* why;
        void (*write)(BkfWriter&);
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"a set catalogue after the files",
         [](BkfWriter& w) { w.Dirb({"d"}).File("a.txt", "a").File("b.txt", Pattern(2000, 1)).SetCatalogue(); },
         {kSet + R"(d\a.txt)", kSet + R"(d\b.txt)"}},
        {"security streams whose SID spells STAN",
         [](BkfWriter& w) {
             w.Dirb({"d"}).File("a.txt", "a", FileOptions().Security());
             w.File("b", "bb", FileOptions().Security().Checksum());
         },
         {kSet + R"(d\a.txt)", kSet + R"(d\b)"}},
        {"two drives",
         [](BkfWriter& w) { w.Volb().Dirb({"C"}).File("c.txt", "c").Volb().Dirb({"D"}).File("d.txt", "d"); },
         {kSet + R"(C\c.txt)", kSet + R"(D\d.txt)"}},
        {"a backup image saved as a file",
         [](BkfWriter& w) { w.Dirb({"d"}).File("image.bkf", Image(), OnTheGrid().Checksum()).File("z.txt", "z"); },
         {kSet + R"(d\image.bkf)", kSet + R"(d\z.txt)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const ScanResult r = ScanSet(c.write);
        EXPECT_EQ(r.RowPaths(), c.rows);
        EXPECT_TRUE(r.report.Empty()) << ScanReportSummary(r.report);
        EXPECT_EQ(DeepScanSuggestion(r.report), "");
        for (const RecordedRow& row : r.rows)
            EXPECT_TRUE(IsOkStatus(row.status)) << row;
    }
}

// The data stream is the chain's; a SID spelling "STAN" is no stream header.
TEST(ScanTruthTest, DataStreamFollowsTheChainPastTheSecurityStream)
{
    BkfWriter w;
    w.Sset("Daily").File("a.txt", "alpha", FileOptions().Security());
    const ScanResult r = ScanBytes(w.Bytes());
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0].offset, w.LastFile().data);
    EXPECT_EQ(r.rows[0].size, 5u);
}

// Two slots inserted inside the image's data: the file no longer ends where
// the backup goes on, so nothing is hidden and the image's blocks are taken.
TEST(ScanTruthTest, TagsAreTakenWhereTheBackupDoesNotGoOnAfterTheData)
{
    BkfWriter w;
    w.Sset("Daily").File("image.bkf", Image(), OnTheGrid());
    const std::size_t inside = w.LastFile().data + 3072; // in inner.txt's data
    w.File("z.txt", "z").InsertBytes(inside, 1024);
    const ScanResult r = ScanBytes(w.Bytes());
    EXPECT_NE(r.FindRow(R"(BKF\BACKUP SET 2(_Inner)\in\inner.txt)"), nullptr);
}

// Scans `file` into `store` as bkf-recover does.
ScanReport ScanInto(const TempFile& file, CatalogueStore& store, const ScanOptions& options = {})
{
    BkfFileHandle handle;
    EXPECT_TRUE(handle.Open(file.Path()));
    std::atomic<bool> running{true};
    CatalogueCollector collector(store);
    ScanReport report;
    ScanCatalogue(handle, running, collector.Sinks(), report, options);
    return report;
}

// The tags taken as data are counted only when asked (--debug).
TEST(ScanTruthTest, TagsTakenAsDataAreCountedWhenAsked)
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"d"}).File("a.txt", "a").File("b.txt", std::string(2048, 'b')).SetCatalogue();
    const std::size_t firstSlotInData = w.LastFile().data / 512 + 1;
    for (std::size_t slot = firstSlotInData; slot < firstSlotInData + 3; ++slot)
        w.Raw(slot * 512, "FILE");
    TempFile file(w.Bytes());
    for (bool count : {false, true}) {
        CatalogueStore store;
        ScanOptions options;
        options.countCoveredTags = count;
        EXPECT_EQ(ScanInto(file, store, options).coveredTags, count ? 3u : 0u);
        EXPECT_EQ(store.RowCount(), 2u);
    }
}

// A file whose stated data run past the end ends where the next block whose
// checksum holds begins; a real file cut off by the end of the backup has
// no block after it. 1,000 crafted blocks no longer copy the rest of the
// backup each.
TEST(ScanTruthTest, DataRunningPastTheEndEndAtTheNextBlock)
{
    BkfWriter w;
    w.Sset("Daily");
    for (int k = 0; k < 1000; ++k)
        w.File("f" + std::to_string(k), "x", FileOptions().StreamLength(UINT64_MAX));
    w.File("last.bin", Pattern(5000, 3));
    w.Truncate(w.LastFile().data + 1000);
    const ScanResult r = ScanBytes(w.Bytes());
    ASSERT_EQ(r.rows.size(), 1001u);
    for (std::size_t k = 0; k < 1000; ++k) {
        EXPECT_EQ(r.rows[k].dataLimit, r.rows[k + 1].offset / 512 * 512);
        EXPECT_EQ(r.rows[k].status, RowStatus::CutShort);
    }
    EXPECT_EQ(r.rows[1000].dataLimit, w.Bytes().size()) << "its data end with the backup";
    EXPECT_EQ(r.rows[1000].status, RowStatus::CutShort);
    EXPECT_EQ(r.report.cutShort.count, 1001u);
    EXPECT_EQ(r.report.cutShort.examples[0], "\"BKF\\BACKUP SET 1(_Daily)\\f0\" ("
                                                 + CutShortText(512 - r.rows[0].offset % 512, UINT64_MAX) + ")");
    EXPECT_NE(ScanReportSummary(r.report).find("1001 files cut short"), std::string::npos);

    TempFile file(w.Bytes());
    CatalogueStore store;
    ScanInto(file, store);
    store.SetAllTicked(true);
    TempDir dir;
    const ExtractionReport saved = ExtractInto(file.Path(), store, dir.Path());
    EXPECT_LT(saved.bytesSaved, w.Size());
    EXPECT_EQ(saved.failures.size(), 1001u) << ReportText(saved);
}

TEST(ScanTruthTest, FilesGoToTheFolderTheirDirectoryIdNames)
{
    struct Case {
        const char* why;
        void (*write)(BkfWriter&);
        std::vector<std::string> rows;
        std::uint64_t placedById, inLostFolder;
    };
    const Case cases[] = {
        {"a zeroed DIRB: its files go to a lost folder",
         [](BkfWriter& w) {
             w.Dirb({"Clients", "Old Stuff"}).File("old.doc", "o").Dirb({"Clients", "Photos"});
             w.ZeroRange(w.LastBlock(), 512).File("holiday.doc", "h").File("beach.jpg", "b");
         },
         {kSet + R"(Clients\Old Stuff\old.doc)", kSet + R"(lost dir0\holiday.doc)", kSet + R"(lost dir0\beach.jpg)"},
         0, 2},
        {"a file of an earlier folder (a first folder's ID would start a set again)", [](BkfWriter& w) {
             w.Dirb({}).Dirb({"a"}).Dirb({"b"}).File("x", "x", FileOptions().DirectoryId(2)).File("y", "y");
         },
         {kSet + R"(a\x)", kSet + R"(b\y)"}, 1, 0},
        {"two lost IDs, two lost folders", [](BkfWriter& w) {
             w.Dirb({"a"}).File("x", "x", FileOptions().DirectoryId(7)).File("y", "y", FileOptions().DirectoryId(8));
         },
         {kSet + R"(lost dir0\x)", kSet + R"(lost dir1\y)"}, 0, 2},
        {"IDs left zero keep the order", [](BkfWriter& w) {
             w.Dirb({"a"}).File("x", "x", FileOptions().DirectoryId(0)).Dirb({"b"});
             w.ZeroRange(w.LastBlock(), 512).File("y", "y", FileOptions().DirectoryId(0));
         },
         {kSet + R"(a\x)", kSet + R"(a\y)"}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const ScanResult r = ScanSet(c.write);
        EXPECT_EQ(r.RowPaths(), c.rows);
        EXPECT_EQ(r.report.placedById.count, c.placedById);
        EXPECT_EQ(r.report.inLostFolder.count, c.inLostFolder);
        for (const RecordedRow& row : r.rows) {
            const bool lost = row.path.find("lost dir") != std::string::npos;
            EXPECT_EQ(row.status, lost ? RowStatus::FolderLost : RowStatus::NoChecksum);
        }
    }
}

TEST(ScanTruthTest, EachRowSaysWhatTheScanFound)
{
    BkfWriter w;
    w.Sset("Daily").File("plain", "x").File("none", "x", FileOptions().NoStan());
    w.File("cut", "x", FileOptions().StreamLength(100000)).File("summed", "x", FileOptions().Checksum());
    w.File("bad header", "x", FileOptions().Checksum());
    // A byte of the common header: its checksum fails, which says nothing of the data.
    w.FlipBytes(w.LastBlock() + 20, 1);
    const ScanResult r = ScanBytes(w.Bytes());
    std::vector<std::string> statuses;
    for (const RecordedRow& row : r.rows)
        statuses.emplace_back(RowStatusText(row.status));
    // The rows stay in file order, the one that waited for a block too.
    EXPECT_EQ(statuses,
              (std::vector<std::string>{"no checksum", "no data", "cut short", "not checked", "not checked"}));
}

// A file whose data stream says a checksum follows, and whose checksum
// stream was destroyed, was listed "ok" and saved without a word.
TEST(ScanTruthTest, AFileWhoseChecksumWasLostSaysSo)
{
    struct Case {
        const char* why;
        void (*damage)(BkfWriter& w, std::size_t dataEnd);
        RowStatus status;
    };
    const Case cases[] = {
        {"intact", [](BkfWriter&, std::size_t) {}, RowStatus::NotChecked},
        {"zeros over the data's end and the checksum stream",
         [](BkfWriter& w, std::size_t dataEnd) { w.ZeroRange(dataEnd - 200, 240); }, RowStatus::ChecksumLost},
        {"the checksum stream's header damaged", [](BkfWriter& w, std::size_t dataEnd) { w.FlipBytes(dataEnd + 2, 1); },
         RowStatus::ChecksumLost},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w;
        w.Sset("Daily").File("a.bin", Pattern(3000, 3), FileOptions().Checksum());
        c.damage(w, w.LastFile().data + 3000);
        w.File("plain.txt", "no checksum recorded");
        const ScanResult r = ScanBytes(w.Bytes());
        ASSERT_EQ(r.rows.size(), 2u);
        EXPECT_EQ(r.rows[0].status, c.status);
        EXPECT_EQ(r.rows[1].status, RowStatus::NoChecksum);

        TempFile file(w.Bytes());
        CatalogueStore store;
        ScanInto(file, store);
        store.SetAllTicked(true);
        TempDir dir;
        const ExtractionReport saved = ExtractInto(file.Path(), store, dir.Path());
        const bool lost = c.status == RowStatus::ChecksumLost;
        EXPECT_EQ(saved.dataVerified, lost ? 0u : 1u);
        EXPECT_EQ(saved.checksumLost.size(), lost ? 1u : 0u);
        EXPECT_EQ(DataCheckSummary(saved).find("1 with its checksum missing") != std::string::npos, lost)
            << DataCheckSummary(saved);
        MarkSavedRows(saved, store);
        EXPECT_EQ(store.Row(0).status, lost ? RowStatus::ChecksumLost : RowStatus::Saved);
    }
}

// Ranges of 64 KiB or more that no block covers and that hold other bytes
// than zeros are said, with their offsets and their share of the backup.
TEST(ScanTruthTest, RangesWithoutBlocksAreReported)
{
    BkfWriter w;
    w.Sset("Daily").File("a.txt", "a");
    const std::size_t gapStart = w.NextSlot();
    w.Raw(gapStart, Pattern(65536, 2)).File("b.txt", "b");
    const ScanResult r = ScanBytes(w.Bytes());
    EXPECT_EQ(r.rows.size(), 2u);
    ASSERT_EQ(r.report.gaps.size(), 1u);
    EXPECT_EQ(r.report.gaps[0].offset, gapStart);
    EXPECT_EQ(r.report.gaps[0].length, 65536u);
    EXPECT_EQ(ScanReportSummary(r.report), "64.0 KiB (97 %) of the backup hold no file that could be read");
    EXPECT_TRUE(r.report.FilesMayBeMissing());
    EXPECT_EQ(DeepScanSuggestion(r.report), "");
}

// Bytes that could not be read were blamed on the grid: "no block found in
// the last 12391240 bytes; a deep scan looks for blocks off the grid".
TEST(ScanTruthTest, UnreadableBytesAreNoRangeWithoutBlocks)
{
    constexpr std::uint64_t kMiB = 1 << 20;
    struct Case {
        const char* why;
        std::uint64_t badFrom, badLength; // from the end of the blocks
        std::uint64_t zerosAfter;         // bytes after the blocks
        std::uint64_t gaps, tail;
    };
    const Case cases[] = {
        {"an unreadable tail", 0, 2 * kMiB, 2 * kMiB, 0, 0},
        {"an unreadable range between blocks", 0, 128 * 1024, 128 * 1024, 0, 0},
        {"readable zeros after an unreadable range", 0, 128 * 1024, 2 * kMiB, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w;
        w.Sset("Daily").File("a.txt", "a");
        const std::size_t end = w.NextSlot();
        w.ZeroSlots(static_cast<std::size_t>(c.zerosAfter / 512));
        if (c.zerosAfter < 2 * kMiB)
            w.File("b.txt", "b");
        TempFile backup(w.Bytes());
        FailingFile file;
        ASSERT_TRUE(file.Open(backup.Path()));
        file.FailRange(end + c.badFrom, c.badLength);
        const ScanResult r = ScanHandle(file);
        EXPECT_EQ(TotalLength(r.report.unreadable), c.badLength);
        EXPECT_EQ(r.report.gaps.size(), c.gaps);
        EXPECT_EQ(r.report.blocklessTail, c.tail);
        EXPECT_EQ(DeepScanSuggestion(r.report).empty(), c.tail == 0) << DeepScanSuggestion(r.report);
    }
}

} // namespace
