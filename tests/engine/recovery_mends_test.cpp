// SPDX-License-Identifier: GPL-3.0-or-later
// Files the scan and the save used to lose or get wrong, each found on a
// backup that still held every byte of them.

#include "bkf_writer.h"
#include "extraction_support.h"
#include "failing_file.h"
#include "file_extraction.h"
#include "scan_recorder.h"
#include "temp_path.h"
#include "unreadable_backup.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using namespace extraction_test;

const std::string kRoot = "BKF\\BACKUP SET 0\\";

// F10: U+5453 U+4E41 are the bytes "STAN". Found inside the name, they gave
// the file a size and offset read out of the name: 990 MB of wrong data from
// a 201 MB backup.
TEST(RecoveryMendsTest, StanBytesInsideTheFileNameAreNotTheStreamHeader)
{
    const TapeString name = TapeString::Units({'a', 0x5453, 0x4E41, '.', 't', 'x', 't'});
    for (const bool firstEventKnown : {true, false}) {
        SCOPED_TRACE(firstEventKnown);
        FileOptions options;
        if (!firstEventKnown)
            options.NoFirstEvent(); // the name-field rule alone must hold
        BkfWriter w;
        w.Volb().File(name, "real data", options);
        const ScanResult r = ScanBytes(w.Bytes());
        ASSERT_EQ(r.rows.size(), 1u);
        EXPECT_EQ(r.rows[0].size, 9u);
        EXPECT_EQ(r.rows[0].offset, w.LastFile().data);
    }
}

// F12: on NTFS the security stream comes first; a long name or a large
// descriptor pushes the data stream past 512 bytes, and such files were
// saved empty.
TEST(RecoveryMendsTest, DataStreamBeyond512BytesIsFoundThroughTheStreamChain)
{
    struct Case {
        const char* why;
        FileOptions options;
        bool located;
    };
    const Case cases[] = {
        {"security stream of 600 bytes first", FileOptions().StreamBefore("NACL", 600), true},
        {"two streams first, odd lengths", FileOptions().StreamBefore("NACL", 501).StreamBefore("NTOI", 7), true},
        {"padding ends the chain", FileOptions().StreamBefore("NACL", 600).StreamBefore("SPAD", 4), false},
        {"no offset to the first stream", FileOptions().StreamBefore("NACL", 600).NoFirstEvent(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w;
        w.Volb().File("a.txt", "payload", c.options);
        const FilePlacement first = w.LastFile();
        w.File("next.txt", "n");
        const ScanResult r = ScanBytes(w.Bytes());
        ASSERT_EQ(r.rows.size(), 2u);
        EXPECT_EQ(r.rows[0].located, c.located);
        if (c.located) {
            EXPECT_GT(first.data, first.block + 512 + 22); // beyond the 512-byte search
            EXPECT_EQ(r.rows[0].offset, first.data);
            EXPECT_EQ(r.rows[0].size, 7u);
        }
        EXPECT_EQ(r.rows[1].offset, w.LastFile().data);
    }
}

TEST(RecoveryMendsTest, BrokenStreamHeaderChecksumEndsTheChain)
{
    BkfWriter w;
    w.Volb().File("a.txt", "payload", FileOptions().StreamBefore("NACL", 600));
    const std::size_t block = w.LastFile().block;
    const std::size_t nacl = block + (w.Bytes()[block + 8] | (w.Bytes()[block + 9] << 8)); // offset to first event
    w.FlipBytes(nacl + 8, 1); // its length, so its checksum fails
    const ScanResult r = ScanBytes(w.Bytes());
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_FALSE(r.rows[0].located);
}

// F13: a DIRB name whose last component lacks its closing NUL ran into the
// file names after it ("oddodd.tx").
TEST(RecoveryMendsTest, DirectoryWithoutItsClosingNulStillEndsWithASeparator)
{
    BkfWriter w;
    w.DirbName(TapeString::Units({'o', 'd', 'd'})).File("odd.txt", "x");
    const ScanResult r = ScanBytes(w.Bytes());
    EXPECT_EQ(r.RowPaths(), std::vector<std::string>{kRoot + "odd\\odd.txt"});
}

// What the scan passes over is counted, and blocks whose checksum fails (a
// tag inside file data) are told apart from real ones.
TEST(RecoveryMendsTest, ScanReportCountsWhatWasPassedOver)
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"bad*dir"}).File("", "x").File("a|b.txt", "x").File("real.bin", std::string(2048, 'd'));
    const std::size_t grid = (w.LastFile().data / 512 + 1) * 512;
    w.Raw(grid, "FILE"); // a tag in the file's data, on the grid: data, not a block
    w.Sset(Repeat("s", 140)).File("ok.txt", "x");
    const ScanResult r = ScanBytes(w.Bytes());
    EXPECT_EQ(r.RowPaths(), (std::vector<std::string>{"BKF\\BACKUP SET 1(_Daily)\\lost dir0\\real.bin",
                                                       "BKF\\BACKUP SET 1(_Daily)\\lost dir0\\ok.txt"}));
    EXPECT_TRUE(r.rows[0].verified);
    const ScanReport& report = r.report;
    EXPECT_EQ(report.lostDirectories.verified, 1u);
    EXPECT_EQ(report.emptyFileNames.verified, 1u);
    EXPECT_EQ(report.emptyFileNames.unverified, 0u);
    EXPECT_EQ(report.unusableFileNames.verified, 1u);
    EXPECT_EQ(report.unusableFileNames.examples, std::vector<std::string>{"a|b.txt"});
    EXPECT_EQ(report.longSetNames.verified, 1u);
    EXPECT_EQ(report.VerifiedFilesPassedOver(), 2u);
    EXPECT_NE(ScanReportSummary(report).find("2 file blocks passed over (2 with a valid checksum)"),
              std::string::npos)
        << ScanReportSummary(report);
}

// A backup of which no byte can be read ends its scan with the system's
// words (shown instead of "No data found"); one that only shrank is no
// read failure.
TEST(RecoveryMendsTest, UnreadableBackupIsToldFromOneThatShrank)
{
    BkfWriter w;
    w.Volb().File("a.txt", "alpha").PadTo(3 * BkfWriter::kWindow);
    TempFile backup(w.Bytes());
    FailingFile file;
    ASSERT_TRUE(file.Open(backup.Path()));
    file.FailEverything();
    const std::uint64_t size = w.Bytes().size();
    const ScanResult r = ScanHandle(file);
    EXPECT_EQ(UnreadableBackupReason(r.report, size, size), std::optional<std::string>("Input/output error"));
    ScanReport shrank;
    AddRange(shrank.unreadable, size / 2, size - size / 2);
    EXPECT_EQ(UnreadableBackupReason(shrank, size, size / 2), std::nullopt);
}

// F14: a bad sector zero-filled the rest of its 64 KiB window (every block
// after it in that window was lost) and of the 64 KiB copy slice.
TEST(RecoveryMendsTest, BadSectorLosesOnlyItself)
{
    BkfWriter w;
    w.Volb();
    std::uint64_t bad = 0;
    for (int i = 0; i < 20; ++i) {
        w.File("f" + std::to_string(i) + ".txt", std::string(600, static_cast<char>('a' + i)));
        if (i == 5)
            bad = (w.LastFile().data / 512 + 1) * 512; // the sector that holds the end of f5's data
    }
    w.PadTo(2 * BkfWriter::kWindow);
    TempFile backup(w.Bytes());
    FailingFile file;
    ASSERT_TRUE(file.Open(backup.Path()));
    file.FailRange(bad, 512);

    const ScanResult r = ScanHandle(file);
    EXPECT_EQ(r.rows.size(), 20u); // every block, f5's included, is outside the bad sector
    ASSERT_EQ(r.report.unreadable.size(), 1u);
    EXPECT_EQ(r.report.unreadable[0].offset, bad);
    EXPECT_EQ(r.report.unreadable[0].length, 512u);
    EXPECT_NE(r.report.readError.find("Input/output error"), std::string::npos) << r.report.readError;

    CatalogueStore store;
    Fill(store, {{"BKF\\f5", r.rows[5].size, r.rows[5].offset}, {"BKF\\f6", r.rows[6].size, r.rows[6].offset}});
    TempDir dest;
    std::atomic<bool> running{true};
    RecordingProgress progress;
    const ExtractionReport report = ExtractCheckedFiles(file, store, dest.Path(), "R", running, progress);
    Bytes expected(600, 'f');
    const std::uint64_t within = bad - r.rows[5].offset;
    std::fill(expected.begin() + static_cast<std::ptrdiff_t>(within), expected.end(), 0); // 600 - within < 512
    EXPECT_EQ(ReadFileBytes(report.rootFolder + "/BKF/f5"), expected);
    EXPECT_EQ(ReadFileBytes(report.rootFolder + "/BKF/f6"), Bytes(600, 'g'));
    ASSERT_EQ(report.failures.size(), 1u) << ReportText(report);
    EXPECT_EQ(report.failures[0].kind, SaveFailureKind::Unreadable);
    EXPECT_EQ(report.failures[0].unreadable[0].offset, within);
}

TEST(RecoveryMendsTest, UnreadableBackupIsReportedWhole)
{
    BkfWriter w;
    w.Volb().File("a.txt", "x").PadTo(BkfWriter::kWindow + 4096);
    TempFile backup(w.Bytes());
    FailingFile file;
    ASSERT_TRUE(file.Open(backup.Path()));
    file.FailEverything();
    const ScanResult r = ScanHandle(file);
    EXPECT_TRUE(r.rows.empty());
    EXPECT_EQ(TotalLength(r.report.unreadable), w.Size());
}

TEST(RecoveryMendsTest, ChosenBytesTotalSaturates)
{
    TempFile backup(Pattern(100, 7));
    CatalogueStore store;
    Fill(store, {{"BKF\\a", UINT64_MAX, 0}, {"BKF\\b", 2, 0}});
    TempDir dest;
    RecordingProgress progress;
    StopSwitch scanner;
    ExtractInto(backup.Path(), store, dest.Path(), progress, scanner);
    ASSERT_FALSE(progress.events.empty());
    EXPECT_EQ(progress.events.front().b, UINT64_MAX);
}

} // namespace
