// SPDX-License-Identifier: GPL-3.0-or-later
// ExtractCheckedFiles over rows stated directly: byte-exact copies at every
// slice boundary, ranges that leave the backup, the report of each row that
// was not saved completely, the output root's name, stopping, progress,
// hostile catalogue paths, and the decimal cells.

#include "bkf_writer.h"
#include "catalogue_collector.h"
#include "catalogue_scan.h"
#include "extraction_support.h"
#include "file_extraction.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace extraction_test;

constexpr std::uint64_t kSlice = 65536;

// A backup of plain patterned bytes: the extraction never looks at blocks.
struct RawBackup {
    Bytes bytes;
    TempFile file;
    explicit RawBackup(std::size_t size) : bytes(Pattern(size, 7)), file(bytes) {}
};

TEST(ExtractionTest, CopiesEachRangeByteForByteAtEverySliceBoundary)
{
    const std::uint64_t sizes[] = {0, 1, 2, 511, 65535, 65536, 65537, 131071, 131072, 131073, 200000};
    RawBackup backup(400000);
    CatalogueStore store;
    std::vector<Row> rows;
    std::uint64_t offset = 3;
    for (const std::uint64_t size : sizes) {
        rows.push_back({"BKF\\SET\\size " + std::to_string(size), size, offset});
        offset = (offset * 7 + 1013) % 150000; // odd, unaligned offsets
    }
    Fill(store, rows);
    TempDir dest;
    const ExtractionReport report = ExtractInto(backup.file.Path(), store, dest.Path());

    ASSERT_TRUE(report.rootCreated) << report.rootError;
    EXPECT_TRUE(report.completed);
    EXPECT_TRUE(report.failures.empty()) << ReportText(report);
    EXPECT_EQ(report.filesSaved, rows.size());
    std::uint64_t total = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        const auto saved = ReadFileBytes(OnDisk(report.rootFolder, row.path));
        ASSERT_TRUE(saved);
        EXPECT_EQ(saved->size(), row.size);
        EXPECT_TRUE(*saved == Slice(backup.bytes, row.offset, row.size));
        total += row.size;
    }
    EXPECT_EQ(report.bytesSaved, total);
}

TEST(ExtractionTest, RangeLeavingTheBackupIsCutShortWhereTheBackupEnds)
{
    constexpr std::uint64_t kEnd = 150000;
    struct Case {
        const char* why;
        std::uint64_t offset, size;
        std::uint64_t kept; // bytes the file holds
        bool cutShort;
    };
    const Case cases[] = {
        {"offset at the end", kEnd, 10, 0, true},
        {"offset beyond the end", kEnd + 5000, 1, 0, true},
        {"offset far beyond the end", std::uint64_t{1} << 62, 70000, 0, true},
        {"empty range at the end", kEnd, 0, 0, false},
        {"tail runs past the end", kEnd - 100, kSlice + 50, 100, true},
        {"several slices, then the end", kEnd - 2 * kSlice - 7, 5 * kSlice, 2 * kSlice + 7, true},
        {"ends exactly at the end", kEnd - kSlice - 1, kSlice + 1, kSlice + 1, false},
        {"one byte past the end", kEnd - kSlice, kSlice + 1, kSlice, true},
        {"size at the top of its range", 10, std::numeric_limits<std::uint64_t>::max(), kEnd - 10, true},
        {"offset and size wrap around together", kEnd - 10, std::numeric_limits<std::uint64_t>::max() - 5, 10,
         true},
    };
    RawBackup backup(kEnd);
    CatalogueStore store;
    std::vector<Row> rows;
    for (const Case& c : cases)
        rows.push_back({std::string("BKF\\") + c.why, c.size, c.offset});
    Fill(store, rows);
    TempDir dest;
    RecordingProgress progress;
    StopSwitch scanner;
    const ExtractionReport report = ExtractInto(backup.file.Path(), store, dest.Path(), progress, scanner);
    ASSERT_TRUE(report.completed) << ReportText(report);

    for (std::size_t row = 0; row < std::size(cases); ++row) {
        const Case& c = cases[row];
        SCOPED_TRACE(c.why);
        const auto saved = ReadFileBytes(OnDisk(report.rootFolder, rows[row].path));
        ASSERT_TRUE(saved) << "the file is created even when nothing of it is left";
        EXPECT_EQ(saved->size(), c.kept);
        EXPECT_TRUE(*saved == Slice(backup.bytes, c.offset, c.kept));
        const auto failures = FailuresOf(report, row);
        if (!c.cutShort) {
            EXPECT_TRUE(failures.empty()) << ReportText(report);
            continue;
        }
        ASSERT_EQ(failures.size(), 1u) << ReportText(report);
        EXPECT_EQ(failures[0].kind, SaveFailureKind::CutShort);
        EXPECT_EQ(failures[0].bytesWritten, c.kept);
        EXPECT_EQ(failures[0].bytesExpected, c.size);
        EXPECT_EQ(failures[0].path, rows[row].path);
        EXPECT_NE(DescribeFailure(failures[0]).find(std::to_string(c.kept) + " of " + std::to_string(c.size)),
                  std::string::npos)
            << DescribeFailure(failures[0]);
    }
    // A file cut short is still a row done: the bar moves on.
    std::vector<std::uint64_t> all(std::size(cases));
    for (std::size_t row = 0; row < all.size(); ++row)
        all[row] = row;
    EXPECT_EQ(progress.Rows(RecordingProgress::Event::RowDone), all);
}

TEST(ExtractionTest, RowWithoutLocationGivesAnEmptyFileReportedAsNoDataFound)
{
    RawBackup backup(1000);
    CatalogueStore store;
    Fill(store, {{"BKF\\S\\lost.txt", 0, 0, false},
                 {"BKF\\S\\found.txt", 10, 20},
                 {"BKF\\S\\false block", 0, 0, false, true, false}});
    TempDir dest;
    const ExtractionReport report = ExtractInto(backup.file.Path(), store, dest.Path());
    EXPECT_TRUE(report.completed);
    EXPECT_EQ(ReadFileBytes(report.rootFolder + "/BKF/S/lost.txt"), Bytes{});
    EXPECT_EQ(ReadFileBytes(report.rootFolder + "/BKF/S/found.txt"), Slice(backup.bytes, 20, 10));
    ASSERT_EQ(report.failures.size(), 2u) << ReportText(report);
    EXPECT_EQ(report.failures[0].row, 0u);
    EXPECT_EQ(report.failures[0].kind, SaveFailureKind::NoDataFound);
    EXPECT_NE(DescribeFailure(report.failures[0]).find("no data found"), std::string::npos);
    // A tag whose block checksum fails is reported apart and is no loss.
    EXPECT_EQ(report.failures[1].kind, SaveFailureKind::NotAFile);
    EXPECT_NE(DescribeFailure(report.failures[1]).find("probably not a file"), std::string::npos);
    EXPECT_EQ(report.LossCount(), 1u);
    EXPECT_EQ(report.filesSaved, 1u);
}

TEST(ExtractionTest, UntickedRowsAreNotTouched)
{
    RawBackup backup(5000);
    CatalogueStore store;
    Fill(store, {
                    {"BKF\\S\\a.txt", 100, 0},
                    {"BKF\\only-unticked\\b.txt", 200, 100, true, false},
                    {"BKF\\S\\c.txt", 300, 300},
                    {"BKF\\S\\d.txt", 400, 600, true, false},
                });
    TempDir dest;
    RecordingProgress progress;
    StopSwitch scanner;
    const ExtractionReport report = ExtractInto(backup.file.Path(), store, dest.Path(), progress, scanner);
    EXPECT_TRUE(report.completed);
    EXPECT_TRUE(report.failures.empty()) << ReportText(report);
    EXPECT_EQ(report.filesSaved, 2u);
    EXPECT_EQ(TreeOf(report.rootFolder), (std::set<std::string>{"BKF/", "BKF/S/", "BKF/S/a.txt", "BKF/S/c.txt"}));

    using E = RecordingProgress::Event;
    ASSERT_FALSE(progress.events.empty());
    EXPECT_EQ(progress.events[0].kind, E::Begin);
    EXPECT_EQ(progress.events[0].a, 4u);
    EXPECT_EQ(progress.events[0].b, 400u) << "bytes chosen count the ticked rows only";
    EXPECT_EQ(progress.Rows(E::FileStarted), (std::vector<std::uint64_t>{0, 2}));
    EXPECT_EQ(progress.Rows(E::RowDone), (std::vector<std::uint64_t>{0, 1, 2, 3}));
}

// F8: two files of one catalogue path (drives C: and D: of one set) are
// both saved; the second under the first free numbered name.
TEST(ExtractionTest, FilesOfTheSamePathAreAllSavedUnderNumberedNames)
{
    RawBackup backup(5000);
    CatalogueStore store;
    Fill(store, {{"BKF\\S\\same.txt", 100, 0},
                 {"BKF\\S\\same.txt", 50, 1000},
                 {"BKF\\S\\same.txt", 5, 3000},
                 {"BKF\\S\\Makefile", 10, 2000},
                 {"BKF\\S\\Makefile", 10, 2100}});
    TempDir dest;
    const ExtractionReport report = ExtractInto(backup.file.Path(), store, dest.Path());
    EXPECT_TRUE(report.completed);
    EXPECT_TRUE(report.failures.empty()) << ReportText(report);
    EXPECT_EQ(ReadFileBytes(report.rootFolder + "/BKF/S/same.txt"), Slice(backup.bytes, 0, 100));
    EXPECT_EQ(ReadFileBytes(report.rootFolder + "/BKF/S/same (2).txt"), Slice(backup.bytes, 1000, 50));
    EXPECT_EQ(ReadFileBytes(report.rootFolder + "/BKF/S/same (3).txt"), Slice(backup.bytes, 3000, 5));
    EXPECT_EQ(ReadFileBytes(report.rootFolder + "/BKF/S/Makefile (2)"), Slice(backup.bytes, 2100, 10));
    ASSERT_EQ(report.renamed.size(), 3u);
    EXPECT_EQ(report.renamed[0].row, 1u);
    EXPECT_EQ(report.renamed[0].path, "BKF\\S\\same.txt");
    EXPECT_EQ(report.renamed[0].savedAs, "BKF\\S\\same (2).txt");
    EXPECT_EQ(report.filesSaved, 5u);
}

// A folder whose name a saved file holds is numbered ("a (2)"), and names
// too long for the file system are shortened (F9): changed, not lost.
TEST(ExtractionTest, NamesTheFileSystemCannotTakeAreChangedNotLost)
{
    RawBackup backup(5000);
    CatalogueStore store;
    Fill(store, {
                    {"BKF\\a", 10, 0},
                    {"BKF\\a\\under-a-file", 10, 10},         // "a" is a file, not a folder
                    {"BKF\\" + std::string(300, 'n'), 10, 20}, // name too long
                    {"BKF\\" + std::string(300, 'd') + "\\x", 10, 30},
                    {"BKF\\last", 10, 40},
                });
    TempDir dest;
    const ExtractionReport report = ExtractInto(backup.file.Path(), store, dest.Path());
    EXPECT_TRUE(report.completed);
    EXPECT_TRUE(report.failures.empty()) << ReportText(report);
    EXPECT_EQ(ReadFileBytes(report.rootFolder + "/BKF/a"), Slice(backup.bytes, 0, 10));
    EXPECT_EQ(ReadFileBytes(report.rootFolder + "/BKF/a (2)/under-a-file"), Slice(backup.bytes, 10, 10));
    EXPECT_EQ(ReadFileBytes(report.rootFolder + "/BKF/last"), Slice(backup.bytes, 40, 10));
    EXPECT_EQ(ReadFileBytes(report.rootFolder + "/BKF/" + std::string(255, 'n')), Slice(backup.bytes, 20, 10));
    EXPECT_EQ(ReadFileBytes(report.rootFolder + "/BKF/" + std::string(255, 'd') + "/x"), Slice(backup.bytes, 30, 10));
    ASSERT_EQ(report.renamed.size(), 3u);
    EXPECT_EQ(report.renamed[0].savedAs, "BKF\\a (2)\\under-a-file");
    EXPECT_EQ(report.filesSaved, 5u);
}

TEST(ExtractionTest, OutputRootIsNamedAfterThePrefixWithTheFirstFreeNumber)
{
    RawBackup backup(100);
    CatalogueStore store;
    Fill(store, {{"BKF\\f", 5, 0}});
    TempDir dest;
    WriteFileBytes(dest.Child("Recovered BKF"), {'f'});
    fs::create_directory(dest.Child("Recovered BKF1"));

    const ExtractionReport first = ExtractInto(backup.file.Path(), store, dest.Path());
    EXPECT_EQ(first.rootFolder, dest.Child("Recovered BKF2"));
    const ExtractionReport second = ExtractInto(backup.file.Path(), store, dest.Path());
    EXPECT_EQ(second.rootFolder, dest.Child("Recovered BKF3"));
    const ExtractionReport custom = ExtractInto(backup.file.Path(), store, dest.Path(), "Rescue");
    EXPECT_EQ(custom.rootFolder, dest.Child("Rescue"));
    for (const auto* report : {&first, &second, &custom})
        EXPECT_EQ(ReadFileBytes(report->rootFolder + "/BKF/f"), Slice(backup.bytes, 0, 5)) << report->rootFolder;
    EXPECT_EQ(ReadFileBytes(dest.Child("Recovered BKF")), Bytes{'f'});
    EXPECT_TRUE(fs::is_empty(dest.Child("Recovered BKF1")));
}

TEST(ExtractionTest, EmptyCatalogueStillCreatesTheRootAndCompletes)
{
    RawBackup backup(100);
    CatalogueStore store;
    TempDir dest;
    RecordingProgress progress;
    StopSwitch scanner;
    const ExtractionReport report =
        ExtractInto(backup.file.Path(), store, dest.Child("new/dest"), progress, scanner);
    EXPECT_TRUE(report.rootCreated);
    EXPECT_TRUE(report.completed);
    EXPECT_EQ(report.rootFolder, dest.Child("new/dest/Recovered BKF"));
    EXPECT_TRUE(fs::is_directory(report.rootFolder));
    EXPECT_TRUE(fs::is_empty(report.rootFolder));
    ASSERT_EQ(progress.events.size(), 1u);
    EXPECT_EQ(progress.events[0].kind, RecordingProgress::Event::Begin);
    EXPECT_EQ(progress.events[0].a, 0u);
}

TEST(ExtractionTest, DestinationThatCannotHoldTheRootIsReportedWithoutWritingAnything)
{
    RawBackup backup(100);
    CatalogueStore store;
    Fill(store, {{"BKF\\f", 5, 0}});
    TempDir dir;
    WriteFileBytes(dir.Child("file"), {'x'});
    const auto status = RunInChild([&] {
        const ExtractionReport report = ExtractInto(backup.file.Path(), store, dir.Child("file"));
        return !report.rootCreated && !report.completed && !report.rootError.empty() ? 0 : 1;
    }, std::chrono::seconds(10));
    ASSERT_TRUE(status) << "the extraction hung or crashed";
    EXPECT_EQ(*status, 0);
    EXPECT_EQ(TreeOf(dir.Path()), std::set<std::string>{"file"});
}

// Where the stop request comes from, and what must be on disk after it.
TEST(ExtractionTest, StopFinishesTheFileBeingCopiedAndTouchesNoLaterRow)
{
    constexpr std::uint64_t kLarge = 20 * kSlice + 123;
    struct Case {
        const char* why;
        std::function<void(RecordingProgress&, StopSwitch&)> arm;
        std::vector<bool> saved; // per row
        bool completed;
    };
    const Case cases[] = {
        {"stop at Begin: no row is visited",
         [](RecordingProgress& p, StopSwitch& s) { p.onBegin = [&s] { s.Stop(); }; },
         {false, false, false, false}, false},
        {"stop during the large file's first slice",
         [](RecordingProgress& p, StopSwitch& s) {
             p.onFileStarted = [&p, &s](std::size_t row) {
                 if (row == 1)
                     p.onBytes = [&s](std::uint64_t) { s.Stop(); };
             };
         },
         {true, true, false, false}, false},
        {"stop when the first row is done",
         [](RecordingProgress& p, StopSwitch& s) {
             p.onRowDone = [&s](std::size_t row) {
                 if (row == 0)
                     s.Stop();
             };
         },
         {true, false, false, false}, false},
        {"stop after the last row: every row was visited",
         [](RecordingProgress& p, StopSwitch& s) {
             p.onRowDone = [&s](std::size_t row) {
                 if (row == 3)
                     s.Stop();
             };
         },
         {true, true, true, true}, true},
    };
    RawBackup backup(kLarge + 10000);
    const std::vector<Row> rows = {
        {"BKF\\S\\first", 1000, 5}, {"BKF\\S\\large", kLarge, 7}, {"BKF\\T\\after", 1000, 9}, {"BKF\\S\\last", 1, 11}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        CatalogueStore store;
        Fill(store, rows);
        TempDir dest;
        RecordingProgress progress;
        StopSwitch scanner;
        c.arm(progress, scanner);
        const ExtractionReport report = ExtractInto(backup.file.Path(), store, dest.Path(), progress, scanner);
        ASSERT_TRUE(report.rootCreated);
        EXPECT_EQ(report.completed, c.completed);
        EXPECT_TRUE(report.failures.empty()) << ReportText(report);
        std::set<std::string> expectedFiles;
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const std::string path = OnDisk(report.rootFolder, rows[row].path);
            if (c.saved[row]) {
                EXPECT_EQ(ReadFileBytes(path), Slice(backup.bytes, rows[row].offset, rows[row].size)) << path;
                expectedFiles.insert(fs::relative(path, report.rootFolder).generic_string());
            }
        }
        std::set<std::string> files;
        for (const std::string& entry : TreeOf(report.rootFolder)) {
            if (entry.back() != '/')
                files.insert(entry);
        }
        EXPECT_EQ(files, expectedFiles);
        if (!c.saved[2]) {
            EXPECT_FALSE(fs::exists(report.rootFolder + "/BKF/T")) << "no folder of a later row is made";
        }
        MarkSavedRows(report, store);
        for (std::size_t row = 0; row < rows.size(); ++row)
            EXPECT_EQ(store.Row(row).status, c.saved[row] ? RowStatus::Saved : RowStatus::NotSaved) << row;
    }
}

TEST(ExtractionTest, ProgressCountsEveryCopiedByteInSlicesOfAtMost64KiB)
{
    RawBackup backup(300000);
    CatalogueStore store;
    Fill(store, {{"BKF\\a", 65537, 0}, {"BKF\\b", 0, 0}, {"BKF\\c", 131072, 100}, {"BKF\\lost", 0, 0, false},
                 {"BKF\\d", 5000, 299000}});
    TempDir dest;
    RecordingProgress progress;
    StopSwitch scanner;
    const ExtractionReport report = ExtractInto(backup.file.Path(), store, dest.Path(), progress, scanner);
    using E = RecordingProgress::Event;
    // Per file: FileStarted, its slices, RowDone; the cut-short file counts the bytes it got.
    std::vector<std::string> shape;
    for (const E& event : progress.events) {
        switch (event.kind) {
        case E::Begin: shape.push_back("begin " + std::to_string(event.a)); break;
        case E::FileStarted: shape.push_back("start " + event.path); break;
        case E::BytesCopied:
            EXPECT_LE(event.a, kSlice);
            EXPECT_GT(event.a, 0u);
            if (shape.back().rfind("bytes ", 0) == 0)
                shape.back() = "bytes " + std::to_string(std::stoull(shape.back().substr(6)) + event.a);
            else
                shape.push_back("bytes " + std::to_string(event.a));
            break;
        case E::RowDone: shape.push_back("done " + std::to_string(event.a)); break;
        }
    }
    EXPECT_EQ(shape, (std::vector<std::string>{"begin 5", "start BKF\\a", "bytes 65537", "done 0", "start BKF\\b",
                                               "done 1", "start BKF\\c", "bytes 131072", "done 2",
                                               "start BKF\\lost", "done 3", "start BKF\\d", "bytes 1000",
                                               "done 4"}));
    EXPECT_EQ(progress.BytesTotal(), report.bytesSaved);
    EXPECT_EQ(progress.events[0].b, 65537u + 131072u + 5000u);
}

// F5: catalogue paths that would leave the output root are refused before
// anything is created, and the run goes on with the next row.
TEST(ExtractionTest, HostilePathsAreRefusedAndNothingIsWrittenOutsideTheRoot)
{
    const std::string hostile[] = {
        "BKF\\..\\x",
        "..\\x",
        "..",
        "BKF\\..",
        "BKF\\.\\x",
        "BKF\\x\\..\\..\\..\\escape",
        "\\abs",
        "\\\\server\\share\\x",
        "/etc/x",
        "C:\\x",
        "C:x",
        "BKF\\a\\\\b",
        "BKF\\x\\",
        "BKF/x/../y",
        "BKF\\a/..\\..\\..\\y",
        "BKF\\..\\..\\..\\..\\..\\..\\..\\tmp\\escape",
        std::string("BKF\\a\0b", 7),
        std::string("BKF\\..\0", 7),
        "",
        // Fault: a cache row 20,000 levels deep made 20,000 nested folders before failing.
        [] {
            std::string deep = "BKF";
            for (int level = 0; level < 20000; ++level)
                deep += "\\d";
            return deep;
        }(),
    };
    RawBackup backup(1000);
    CatalogueStore store;
    std::vector<Row> rows;
    for (const std::string& path : hostile)
        rows.push_back({path, 10, 0});
    rows.push_back({"BKF\\safe", 10, 0});
    Fill(store, rows);
    TempDir dir;
    const std::string dest = dir.Child("dest");
    fs::create_directory(dest);
    RecordingProgress progress;
    StopSwitch scanner;
    const ExtractionReport report = ExtractInto(backup.file.Path(), store, dest + "/inner", progress, scanner);
    EXPECT_TRUE(report.completed);

    ASSERT_EQ(report.failures.size(), std::size(hostile)) << ReportText(report);
    for (std::size_t row = 0; row < std::size(hostile); ++row) {
        SCOPED_TRACE("row " + std::to_string(row));
        EXPECT_EQ(report.failures[row].row, row);
        EXPECT_EQ(report.failures[row].kind, SaveFailureKind::UnsafePath);
        EXPECT_EQ(report.failures[row].path, hostile[row]);
        EXPECT_FALSE(report.failures[row].reason.empty());
    }
    EXPECT_EQ(TreeOf(dir.Path()), (std::set<std::string>{"dest/", "dest/inner/", "dest/inner/Recovered BKF/",
                                                          "dest/inner/Recovered BKF/BKF/",
                                                          "dest/inner/Recovered BKF/BKF/safe"}));
    EXPECT_FALSE(fs::exists("/etc/x"));
    EXPECT_EQ(progress.Rows(RecordingProgress::Event::RowDone), std::vector<std::uint64_t>{std::size(hostile)});
    EXPECT_EQ(report.filesSaved, 1u);
}

// F5: a link planted in the output root while the save runs (by another
// user of the machine, say) does not lead a file outside the root.
TEST(ExtractionTest, LinkPlantedDuringTheRunIsNotFollowed)
{
    struct Case {
        const char* why;
        std::size_t atRow;  // planted when this row starts
        std::string linkAt; // below the root; what stands there is moved aside first
        std::size_t notCreated; // rows that then fail
    };
    const Case cases[] = {
        {"as the top folder, before any file", 0, "BKF", 3},
        {"as the top folder, after it was entered", 1, "BKF", 0},
        {"as a folder entered by the previous file", 1, "BKF\\S\\one", 0},
        {"as the next file's folder", 1, "BKF\\S\\two", 1},
        {"as the next file: saved beside the link", 1, "BKF\\S\\one\\f2", 0},
    };
    RawBackup backup(1000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TempDir dir;
        const std::string outside = dir.Child("outside");
        fs::create_directory(outside);
        CatalogueStore store;
        Fill(store, {{"BKF\\S\\one\\f1", 10, 0}, {"BKF\\S\\one\\f2", 10, 10}, {"BKF\\S\\two\\f3", 10, 20}});
        const std::string root = dir.Child("dest/Recovered BKF");
        RecordingProgress progress;
        progress.onFileStarted = [&](std::size_t row) {
            if (row != c.atRow)
                return;
            const std::string at = OnDisk(root, c.linkAt);
            if (fs::exists(fs::symlink_status(at)))
                fs::rename(at, root + "/moved-away");
            fs::create_directory_symlink(outside, at);
        };
        StopSwitch scanner;
        const ExtractionReport report = ExtractInto(backup.file.Path(), store, dir.Child("dest"), progress, scanner);
        ASSERT_EQ(report.rootFolder, root);
        EXPECT_TRUE(report.completed);
        EXPECT_TRUE(fs::is_empty(outside)) << ReportText(report);
        EXPECT_EQ(report.failures.size(), c.notCreated) << ReportText(report);
        for (const SaveFailure& failure : report.failures)
            EXPECT_EQ(failure.kind, SaveFailureKind::NotCreated) << ReportText(report);
        // Every file that was saved lies inside the root, where it was moved or not.
        std::size_t files = 0;
        for (const std::string& entry : TreeOf(root))
            files += entry.back() != '/' && entry.back() != '@';
        EXPECT_EQ(files, 3 - c.notCreated);
        EXPECT_EQ(report.filesSaved, 3 - c.notCreated);
    }
}

// Fault: dates were set by path at the end of the save, so a folder swapped
// for a link during the save had the link followed and dated a folder
// outside the output root.
TEST(ExtractionTest, FolderSwappedForALinkDuringTheSaveGetsNoDateOutsideTheRoot)
{
    const std::uint64_t date = BkfWriter::Date(2001, 2, 3, 4, 5, 6);
    RawBackup backup(100);
    TempDir dir;
    const std::string outside = dir.Child("outside");
    fs::create_directories(outside + "/b");
    const auto outsideDate = fs::last_write_time(outside + "/b");
    CatalogueStore store;
    Fill(store, {{"BKF\\S\\a\\b\\f1", 10, 0}, {"BKF\\S\\z", 10, 10}});
    for (const char* folder : {"BKF\\S\\a\\b\\", "BKF\\S\\a\\"})
        store.AddFolderDate(folder, date);
    const std::string root = dir.Child("dest/Recovered BKF");
    RecordingProgress progress;
    progress.onFileStarted = [&](std::size_t row) {
        if (row == 1) {
            fs::rename(root + "/BKF/S/a", root + "/moved-away");
            fs::create_directory_symlink(outside, root + "/BKF/S/a");
        }
    };
    const std::atomic<bool> running{true};
    BkfFileHandle file;
    ASSERT_TRUE(file.Open(backup.file.Path()));
    const ExtractionReport report =
        ExtractCheckedFiles(file, store, dir.Child("dest"), "Recovered BKF", running, progress, ExtractionOptions{true});
    EXPECT_EQ(fs::last_write_time(outside + "/b"), outsideDate);
    EXPECT_EQ(report.datesRefused, 2u) << "the link itself is not dated either";
}

// F7: bytes that cannot be read are written as zeros, so the rest of the
// file keeps its offsets, and the file is reported with those ranges. Here
// the backup shrinks once the save has begun: reads past its new end come
// back short.
TEST(ExtractionTest, UnreadableBytesBecomeZerosAtTheirOwnOffsets)
{
    constexpr std::uint64_t kShrunk = kSlice + 1000;
    RawBackup backup(4 * kSlice);
    CatalogueStore store;
    Fill(store, {{"BKF\\spans", 3 * kSlice + 100, 0}, {"BKF\\beyond", 5000, 3 * kSlice}, {"BKF\\before", 500, 10}});
    TempDir dest;
    RecordingProgress progress;
    bool shrunk = false;
    progress.onFileStarted = [&](std::size_t) {
        if (!shrunk) {
            shrunk = true;
            ASSERT_EQ(::truncate(backup.file.Path().c_str(), static_cast<off_t>(kShrunk)), 0);
        }
    };
    StopSwitch scanner;
    const ExtractionReport report = ExtractInto(backup.file.Path(), store, dest.Path(), progress, scanner);
    EXPECT_TRUE(report.completed);

    Bytes spans = Slice(backup.bytes, 0, kShrunk);
    spans.resize(3 * kSlice + 100, 0);
    EXPECT_TRUE(ReadFileBytes(report.rootFolder + "/BKF/spans") == spans);
    EXPECT_EQ(ReadFileBytes(report.rootFolder + "/BKF/beyond"), Bytes(5000, 0));
    EXPECT_EQ(ReadFileBytes(report.rootFolder + "/BKF/before"), Slice(backup.bytes, 10, 500));

    ASSERT_EQ(report.failures.size(), 2u) << ReportText(report);
    EXPECT_EQ(report.failures[0].row, 0u);
    EXPECT_EQ(report.failures[0].kind, SaveFailureKind::Unreadable);
    ASSERT_EQ(report.failures[0].unreadable.size(), 1u) << "adjacent slices merge into one range";
    EXPECT_EQ(report.failures[0].unreadable[0].offset, kShrunk);
    EXPECT_EQ(report.failures[0].unreadable[0].length, 3 * kSlice + 100 - kShrunk);
    EXPECT_EQ(report.failures[0].bytesWritten, 3 * kSlice + 100);
    EXPECT_NE(DescribeFailure(report.failures[0]).find(std::to_string(kShrunk) + "-" +
                                                       std::to_string(3 * kSlice + 99)),
              std::string::npos)
        << DescribeFailure(report.failures[0]);
    EXPECT_EQ(report.failures[1].row, 1u);
    EXPECT_EQ(report.failures[1].kind, SaveFailureKind::Unreadable);
    ASSERT_EQ(report.failures[1].unreadable.size(), 1u);
    EXPECT_EQ(report.failures[1].unreadable[0].offset, 0u);
    EXPECT_EQ(report.failures[1].unreadable[0].length, 5000u);
    EXPECT_EQ(report.filesSaved, 1u);
}

// From a scan of a written backup to the saved files: the numbers the scan
// records are the ones the extraction uses.
TEST(ExtractionTest, ScannedBackupIsSavedAtItsCataloguePaths)
{
    const Bytes big = Pattern(3 * kSlice + 17, 3);
    BkfWriter w;
    w.Sset("Daily").Dirb({"WINDOWS", "system32"}).File("notepad.exe", Bytes{'M', 'Z', 0, 1, 2});
    w.File("big.bin", big).File("empty.txt", "").File("nostan.txt", "lost", FileOptions().NoStan());
    w.Dirb({}).File("root.txt", "at the root").ZeroSlots(2);
    TempFile file(w.Bytes());
    BkfFileHandle handle;
    ASSERT_TRUE(handle.Open(file.Path()));
    CatalogueStore store;
    CatalogueCollector collector(store);
    std::atomic<bool> running{true};
    ASSERT_TRUE(ScanCatalogue(handle, running, collector.Sinks()));
    store.SetAllTicked(true);
    ASSERT_EQ(store.RowCount(), 5u);

    TempDir dest;
    StopSwitch scanner;
    RecordingProgress progress;
    const ExtractionReport report =
        ExtractCheckedFiles(handle, store, dest.Path(), "Recovered BKF", scanner.running, progress);
    const std::string set = report.rootFolder + "/BKF/BACKUP SET 1(_Daily)";
    EXPECT_EQ(ReadFileBytes(set + "/WINDOWS/system32/notepad.exe"), (Bytes{'M', 'Z', 0, 1, 2}));
    EXPECT_TRUE(ReadFileBytes(set + "/WINDOWS/system32/big.bin") == big);
    EXPECT_EQ(ReadFileBytes(set + "/WINDOWS/system32/empty.txt"), Bytes{});
    EXPECT_EQ(ReadFileBytes(set + "/WINDOWS/system32/nostan.txt"), Bytes{});
    const std::string rootText = "at the root";
    EXPECT_EQ(ReadFileBytes(set + "/root.txt"), Bytes(rootText.begin(), rootText.end()));
    ASSERT_EQ(report.failures.size(), 1u) << ReportText(report);
    EXPECT_EQ(report.failures[0].kind, SaveFailureKind::NoDataFound);
    EXPECT_EQ(report.failures[0].row, 3u);
}

} // namespace
