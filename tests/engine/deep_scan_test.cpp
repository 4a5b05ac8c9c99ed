// SPDX-License-Identifier: GPL-3.0-or-later
// The deep scan: blocks off the 512-byte grid, names kept in streams, long
// paths, and what it must not find (blocks inside the data of found files).

#include "bkf_writer.h"
#include "catalogue_collector.h"
#include "catalogue_scan.h"
#include "extraction_support.h"
#include "temp_path.h"

#include <gtest/gtest.h>

namespace {

using namespace extraction_test;

struct Scanned {
    CatalogueStore store;
    ScanReport report;
    std::vector<std::string> Paths() const
    {
        std::vector<std::string> paths;
        for (std::size_t row = 0; row < store.RowCount(); ++row)
            paths.emplace_back(store.Path(row));
        return paths;
    }
    // Each row as "path size offset", to compare two scans whole.
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        for (std::size_t row = 0; row < store.RowCount(); ++row) {
            const CatalogueRow r = store.Row(row);
            rows.push_back(std::string(r.path) + " " + std::to_string(r.size) + " " + std::to_string(r.offset));
        }
        return rows;
    }
};

void ScanInto(const Bytes& bytes, bool deep, Scanned& result)
{
    TempFile file(bytes);
    BkfFileHandle handle;
    ASSERT_TRUE(handle.Open(file.Path()));
    std::atomic<bool> running{true};
    CatalogueCollector collector(result.store);
    EXPECT_TRUE(ScanCatalogue(handle, running, collector.Sinks(), result.report, ScanOptions{deep}));
}

const Bytes kFirst = Pattern(100000, 1);
const Bytes kSecond = Pattern(3000, 2);
const Bytes kThird = Pattern(700, 3);

// A tape header of 5 KiB, two folders and three files, the first spanning
// two scan windows; `firstData` receives where its data start.
Bytes SmallBackup(std::size_t& firstData)
{
    BkfWriter w;
    w.Tag("TAPE").ZeroSlots(9).Sset("Daily").Dirb({"docs"}).File("first.bin", kFirst);
    firstData = w.LastFile().data;
    w.Dirb({"docs", "sub"}).File("second.bin", kSecond).File("third.bin", kThird);
    return w.Bytes();
}

TEST(DeepScanTest, FindsTheFilesAfterBytesLostOrInserted)
{
    std::size_t firstData = 0;
    const Bytes intact = SmallBackup(firstData);
    const std::vector<std::string> expected = {
        R"(BKF\BACKUP SET 1(_Daily)\docs\first.bin)", R"(BKF\BACKUP SET 1(_Daily)\docs\sub\second.bin)",
        R"(BKF\BACKUP SET 1(_Daily)\docs\sub\third.bin)"};
    // Bytes are removed only where they destroy no block.
    struct Place {
        const char* name;
        std::size_t offset;
        bool removeToo;
    };
    const Place places[] = {
        {"the tape header", 0, true},
        {"inside the first file's data", firstData + 70000, true},
        {"right after the first file's data", firstData + kFirst.size(), false},
    };
    for (const Place& place : places) {
        for (const std::size_t count : {1, 7, 511, 4097}) {
            for (const bool insert : {false, true}) {
                if (!insert && !place.removeToo)
                    continue;
                SCOPED_TRACE(std::string(place.name) + (insert ? ": inserted " : ": removed ") + std::to_string(count));
                BkfWriter damaged;
                damaged.Raw(0, intact);
                insert ? damaged.InsertBytes(place.offset, count) : damaged.RemoveBytes(place.offset, count);
                Scanned deep;
                ScanInto(damaged.Bytes(), true, deep);
                EXPECT_EQ(deep.Paths(), expected);
                // The files after the damage are whole.
                const Bytes backup = damaged.Bytes();
                for (std::size_t row = 1; row < deep.store.RowCount(); ++row) {
                    const CatalogueRow r = deep.store.Row(row);
                    EXPECT_EQ(Slice(backup, r.offset, r.size), row == 1 ? kSecond : kThird) << r.path;
                }
            }
        }
    }
}

// The scan reads in 64 KiB windows and 1 MiB chunks: a block off the grid
// may start a few bytes before either edge, its tag and header crossing it.
TEST(DeepScanTest, FindsBlocksAcrossWindowEdges)
{
    for (const std::size_t edge : {std::size_t{65536}, std::size_t{1} << 20}) {
        for (const std::size_t before : {1, 2, 3, 4, 30, 51}) {
            SCOPED_TRACE(std::to_string(before) + " bytes before " + std::to_string(edge));
            BkfWriter w;
            w.Sset("S").Dirb({"d"}).PadTo(edge - BkfWriter::kSlot);
            w.File("x.bin", kThird);
            w.InsertBytes(edge - BkfWriter::kSlot, BkfWriter::kSlot - before);
            Scanned deep;
            ScanInto(w.Bytes(), true, deep);
            ASSERT_EQ(deep.Paths(), std::vector<std::string>{R"(BKF\BACKUP SET 1(_S)\d\x.bin)"});
            const CatalogueRow row = deep.store.Row(0);
            EXPECT_EQ(Slice(w.Bytes(), row.offset, row.size), kThird);
        }
    }
}

// A file whose data hold a whole backup image: its blocks are data, whether
// they fall on the grid or not; the deep scan adds nothing the default scan
// would not list.
TEST(DeepScanTest, ListsNoBlocksFromInsideFoundData)
{
    std::size_t unused = 0;
    const Bytes image = SmallBackup(unused);
    struct Case {
        const char* why;
        Bytes data;
        bool last; // the file is the last of the backup
    };
    Bytes offGrid = Pattern(37, 9);
    offGrid.insert(offGrid.end(), image.begin(), image.end());
    const Case cases[] = {
        {"an image off the grid", offGrid, false},
        {"an image off the grid in the last file", offGrid, true},
        {"random data", Pattern(300000, 4), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w;
        w.Sset("Outer").Dirb({"images"}).File("image.bkf", c.data);
        if (!c.last)
            w.Dirb({"later"}).File("after.txt", "after");
        Scanned grid, deep;
        ScanInto(w.Bytes(), false, grid);
        ScanInto(w.Bytes(), true, deep);
        EXPECT_EQ(deep.Rows(), grid.Rows());
        EXPECT_EQ(deep.report.offGridBlocks, 0u);
    }
}

TEST(DeepScanTest, ScanningAnImageInsideOtherBytesFindsItsVerifiedBlocks)
{
    std::size_t unused = 0;
    Bytes carved = Pattern(1000, 5);
    const Bytes image = SmallBackup(unused);
    carved.insert(carved.end(), image.begin(), image.end());
    Scanned grid, deep;
    ScanInto(carved, false, grid);
    ScanInto(carved, true, deep);
    // The default scan searches off the grid where no block accounts for the bytes.
    EXPECT_EQ(grid.store.RowCount(), 3u);
    EXPECT_EQ(deep.store.RowCount(), 3u);
}

// Every scan, deep or not, takes names from streams and keeps paths of up to
// 1,024 characters whose components have up to 255, all 255 of them.
TEST(DeepScanTest, EveryScanTakesNamesFromStreamsAndKeepsLongPaths)
{
    const std::string part(200, 'p');
    const std::string whole(255, 'w');
    const std::string longPart(256, 'q');
    struct Case {
        const char* why;
        std::vector<TapeString> folder;
        bool fileNameInStream;
        std::string path; // "" when the scan passes the file over
    };
    const std::string set = R"(BKF\BACKUP SET 1(_S)\)";
    const Case cases[] = {
        {"a short path", {"a", "b"}, false, set + R"(a\b\f.txt)"},
        {"a name in FNAM", {"a"}, true, set + R"(a\f.txt)"},
        {"a path of 4 x 200 characters", {part, part, part, part}, false,
         set + part + "\\" + part + "\\" + part + "\\" + part + "\\f.txt"},
        {"a path over 1,024 characters", {part, part, part, part, part}, false, ""},
        {"a component of 255 characters", {whole}, false, set + whole + "\\f.txt"},
        {"a component over 255 characters", {longPart}, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w;
        w.Sset("S").DirbInStream(c.folder);
        w.File("f.txt", "data", c.fileNameInStream ? FileOptions().NameInStream() : FileOptions());
        for (bool deep : {false, true}) {
            Scanned scanned;
            ScanInto(w.Bytes(), deep, scanned);
            EXPECT_EQ(scanned.Paths(), c.path.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.path});
        }
    }
}

// The default scan has searched off the grid wherever no block accounts for
// the bytes: it hints at no deep scan, and says where bytes other than zeros
// hold no file.
TEST(DeepScanTest, TheDefaultScanHintsAtNoDeepScan)
{
    struct Case {
        const char* why;
        Bytes bytes;
        std::size_t unreadRanges;
    };
    BkfWriter tail;
    tail.Sset("S").File("a.txt", "a").PadTo((3 << 20) + 100);
    BkfWriter bigLast;
    bigLast.Sset("S").File("big.bin", Bytes(3 << 20, 1));
    BkfWriter shortTail;
    shortTail.Sset("S").File("a.txt", "a").PadTo(1 << 20);
    BkfWriter randomTail;
    randomTail.Sset("S").File("a.txt", "a").Raw(randomTail.NextSlot(), Pattern(3 << 20, 4));
    const Case cases[] = {
        {"no block at all", Pattern(5000, 1), 0},
        {"no block in the last 3 MiB, all zeros", tail.Bytes(), 0},
        {"a last file of 3 MiB", bigLast.Bytes(), 0},
        {"less than 1 MiB after the last block", shortTail.Bytes(), 0},
        {"3 MiB of other bytes after the last block", randomTail.Bytes(), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Scanned grid, deep;
        ScanInto(c.bytes, false, grid);
        ScanInto(c.bytes, true, deep);
        EXPECT_EQ(DeepScanSuggestion(grid.report), "");
        EXPECT_EQ(DeepScanSuggestion(deep.report), "");
        EXPECT_EQ(grid.report.gaps.size(), c.unreadRanges);
        EXPECT_EQ(deep.report.gaps.size(), c.unreadRanges);
    }
}

// The default scan listed 132 of 200 files of a backup that gained 7 bytes
// in its middle: the blocks after the shift lie off the grid, where it did
// not look. It now searches off the grid where no block accounts for the bytes.
TEST(DeepScanTest, TheDefaultScanListsEveryFileOfAShiftedBackup)
{
    BkfWriter w;
    w.Sset("S").Dirb({"d"});
    std::vector<std::size_t> dataStarts;
    for (int i = 0; i < 60; ++i) {
        w.File("f" + std::to_string(i) + ".bin", Pattern(300 + 977 * static_cast<std::size_t>(i % 7), i),
               FileOptions().Checksum());
        dataStarts.push_back(w.LastFile().data);
    }
    Scanned intact;
    ScanInto(w.Bytes(), false, intact);
    ASSERT_EQ(intact.store.RowCount(), 60u);
    for (const std::size_t shift : {1u, 7u, 4097u}) {
        for (const std::size_t file : {3u, 30u, 57u}) {
            for (const bool inserted : {true, false}) {
                SCOPED_TRACE(std::to_string(shift) + (inserted ? " bytes inserted in file " : " bytes removed from file ")
                             + std::to_string(file));
                BkfWriter shifted = w;
                // In the middle of the data of a file that is long enough.
                const std::size_t at = dataStarts[file] + 100;
                inserted ? shifted.InsertBytes(at, shift) : shifted.RemoveBytes(at, std::min<std::size_t>(shift, 150));
                Scanned grid;
                ScanInto(shifted.Bytes(), false, grid);
                EXPECT_EQ(grid.Paths(), intact.Paths());
                EXPECT_EQ(DeepScanSuggestion(grid.report), "");
            }
        }
    }
}

} // namespace
