// SPDX-License-Identifier: GPL-3.0-or-later
// Files: which FILE names make a row, the catalogue path, and where the STAN
// search finds the data's size and offset.

#include "bkf_writer.h"
#include "scan_recorder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kRoot = R"(BKF\BACKUP SET 0\)";

TEST(CatalogueScanFilesTest, LocatedFileGivesSizeOffsetPathAndCount)
{
    BkfWriter w;
    w.Volb().File("readme.txt", "hello world");
    const FilePlacement placed = w.LastFile();
    const ScanResult r = ScanBytes(w.Bytes());
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0].path, kRoot + "readme.txt");
    EXPECT_TRUE(r.rows[0].located);
    EXPECT_EQ(r.rows[0].size, 11u);
    EXPECT_EQ(r.rows[0].offset, placed.data);
    EXPECT_EQ(r.paths, std::vector<std::string>{kRoot + "readme.txt"});
    EXPECT_EQ(r.fileCounts, std::vector<std::uint64_t>{1});
    EXPECT_TRUE(r.completed);
}

// Names without an extension, or with a long one, are files like any other.
TEST(CatalogueScanFilesTest, EveryExtensionOrNoneIsLocatedAndCounted)
{
    const char* names[] = {"readme", "Makefile", "report.backup", "archive.tar.gz", "trailing.", ".profile",
                           "a.b.c.defghijk"};
    BkfWriter w;
    w.Volb();
    for (const char* name : names)
        w.File(name, name);
    const ScanResult r = ScanBytes(w.Bytes());
    ASSERT_EQ(r.rows.size(), std::size(names));
    for (std::size_t i = 0; i < std::size(names); ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(r.rows[i].path, kRoot + names[i]);
        EXPECT_TRUE(r.rows[i].located);
        EXPECT_EQ(r.rows[i].size, std::string(names[i]).size());
        EXPECT_TRUE(r.HasPath(kRoot + names[i]));
    }
    EXPECT_EQ(r.fileCounts.size(), std::size(names));
    EXPECT_EQ(r.fileCounts.back(), std::size(names));
}

TEST(CatalogueScanFilesTest, NameFieldSizeSelectsWholeUnits)
{
    struct Case {
        std::uint16_t size;
        const char* name; // nullptr: no row
    };
    const Case cases[] = {{10, "a.txt"}, {11, "a.txt"}, {9, "a.tx"}, {2, "a"}, {1, nullptr}, {0, nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        BkfWriter w;
        w.Volb().File("a.txt", "x", FileOptions().NameSize(c.size));
        const ScanResult r = ScanBytes(w.Bytes());
        if (c.name) {
            EXPECT_EQ(r.RowPaths(), std::vector<std::string>{kRoot + c.name});
        } else {
            EXPECT_TRUE(r.rows.empty());
        }
    }
}

TEST(CatalogueScanFilesTest, UnusableNamesAreDroppedWithoutTrace)
{
    struct Case {
        const char* why;
        TapeString name;
        FileOptions options;
    };
    const Case cases[] = {
        {"bar", "a|b", {}},       {"star", "a*b", {}},     {"colon", "a:b", {}},    {"question", "a?b", {}},
        {"less", "a<b", {}},      {"greater", "a>b", {}},  {"slash", "a/b", {}},
        {"dot", ".", {}},         {"dot dot", "..", {}},
        {"control", TapeString::Units({'a', 0x01}), {}},
        {"DEL", TapeString::Units({'a', 0x7F}), {}},
        {"C1 control", TapeString::Units({'a', 0x85}), {}},
        {"unpaired high surrogate", TapeString::Units({'a', 0xD800, 'b'}), {}},
        {"unpaired low surrogate", TapeString::Units({0xDC00}), {}},
        {"empty name", "", {}},
        {"name field past the end of the file", "a.txt", FileOptions().NameAt(0xFF00).NameFieldOnly()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w;
        w.Volb().File(c.name, "x", c.options).File("next.txt", "y");
        const ScanResult r = ScanBytes(w.Bytes());
        // The next file shows the scan went on undisturbed.
        EXPECT_EQ(r.RowPaths(), std::vector<std::string>{kRoot + "next.txt"});
        EXPECT_EQ(r.paths, std::vector<std::string>{kRoot + "next.txt"});
        EXPECT_EQ(r.fileCounts, std::vector<std::uint64_t>{1});
    }
}

TEST(CatalogueScanFilesTest, NamesDecodeFully)
{
    const char* names[] = {"café.txt", "Łódź.doc", "A.doc", "Ł.doc", "Привет.txt", "日本語.txt", "😀.png",
                           "\xC2\xA0nbsp.txt", "mixé日😀.bin"};
    BkfWriter w;
    w.Sset("S").Dirb({"Données"});
    for (const char* name : names)
        w.File(name, "x");
    const ScanResult r = ScanBytes(w.Bytes());
    std::vector<std::string> expected;
    for (const char* name : names)
        expected.push_back(R"(BKF\BACKUP SET 1(_S)\Données\)" + std::string(name));
    EXPECT_EQ(r.RowPaths(), expected);
    EXPECT_EQ(r.LocatedCount(), std::size(names));
}

// "BKF\BACKUP SET 0\" is 17 characters, so a name of n characters makes a
// catalogue path of 17 + n.
// A name of exactly 255 characters keeps them all; a longer one is cut there.
TEST(CatalogueScanFilesTest, FileNamesKeep255Characters)
{
    for (const char* character : {"x", "é", "日", "😀"}) {
        for (std::size_t n : {254, 255, 256}) {
            SCOPED_TRACE(std::string(character) + " x " + std::to_string(n));
            BkfWriter w;
            w.Volb().File(Repeat(character, n), "x");
            const ScanResult r = ScanBytes(w.Bytes());
            EXPECT_EQ(r.RowPaths(), std::vector<std::string>{kRoot + Repeat(character, std::min<std::size_t>(n, 255))});
        }
    }
}

TEST(CatalogueScanFilesTest, StanHeaderIsSearchedWithin512BytesOfTheBlockStart)
{
    struct Case {
        std::size_t distance;
        bool found;
    };
    const Case cases[] = {{0x6C, true}, {300, true}, {508, true}, {509, true}, {510, true},
                          {511, true},  {512, false}, {513, false}, {520, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.distance);
        BkfWriter w;
        // Without the "offset to first event" only the 512-byte search can find the header.
        w.Volb().File("a.txt", "data!", FileOptions().StanAt(c.distance).NoFirstEvent());
        const FilePlacement placed = w.LastFile();
        const ScanResult r = ScanBytes(w.Bytes());
        ASSERT_EQ(r.rows.size(), 1u);
        EXPECT_EQ(r.rows[0].located, c.found);
        EXPECT_EQ(r.fileCounts.size(), c.found ? 1u : 0u);
        if (c.found) {
            EXPECT_EQ(r.rows[0].size, 5u);
            EXPECT_EQ(r.rows[0].offset, placed.data);
        }
        // Located or not, the file is in the tree.
        EXPECT_EQ(r.paths, std::vector<std::string>{kRoot + "a.txt"});
    }
}

TEST(CatalogueScanFilesTest, MissingStanHeaderLeavesTheRowUnlocatedAndUncounted)
{
    BkfWriter w;
    w.Volb().File("a.txt", "1").File("b.txt", "2", FileOptions().NoStan()).File("c.txt", "3");
    const ScanResult r = ScanBytes(w.Bytes());
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_FALSE(r.rows[1].located);
    EXPECT_EQ(r.rows[1].size, 0u);
    EXPECT_EQ(r.rows[1].offset, 0u);
    EXPECT_EQ(r.fileCounts, (std::vector<std::uint64_t>{1, 2}));
}

TEST(CatalogueScanFilesTest, FirstStanBytesWinUnlessTheFirstStreamHeaderIsKnown)
{
    // Stray "STAN" bytes in the block header come first, unless the block's
    // "offset to first event" points at a valid header after them.
    for (const bool firstEventKnown : {false, true}) {
        SCOPED_TRACE(firstEventKnown);
        BkfWriter w;
        FileOptions options = FileOptions().StanAt(300);
        if (!firstEventKnown)
            options.NoFirstEvent();
        w.Volb().File("a.txt", "real", options);
        const FilePlacement placed = w.LastFile();
        w.Raw(placed.block + 0x20, "STAN").Put64(placed.block + 0x28, 77);
        const ScanResult r = ScanBytes(w.Bytes());
        ASSERT_EQ(r.rows.size(), 1u);
        EXPECT_EQ(r.rows[0].size, firstEventKnown ? 4u : 77u);
        EXPECT_EQ(r.rows[0].offset, firstEventKnown ? placed.data : placed.block + 0x20 + 22);
    }
}

TEST(CatalogueScanFilesTest, StreamLengthKeepsAll64Bits)
{
    for (std::uint64_t length : {0ull, 0xFFFFFFFFull, 0x100000000ull, 5'000'000'000ull, 0xFFFFFFFFFFFFFFFFull}) {
        SCOPED_TRACE(length);
        BkfWriter w;
        w.Volb().File("big.vhd", "x", FileOptions().StreamLength(length));
        const ScanResult r = ScanBytes(w.Bytes());
        ASSERT_EQ(r.rows.size(), 1u);
        EXPECT_TRUE(r.rows[0].located);
        EXPECT_EQ(r.rows[0].size, length);
    }
}

TEST(CatalogueScanFilesTest, OffsetsAreFilePositionsInLaterWindows)
{
    BkfWriter w;
    w.PadTo(2 * BkfWriter::kWindow + 1536).File("late.txt", "abc", FileOptions().StanAt(200));
    w.PadTo(3 * BkfWriter::kWindow);
    const ScanResult r = ScanBytes(w.Bytes());
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0].offset, 2 * BkfWriter::kWindow + 1536 + 200 + 22);
    EXPECT_EQ(r.rows[0].size, 3u);
}

TEST(CatalogueScanFilesTest, BlocksOffTheGridAreNotSeen)
{
    BkfWriter w;
    w.Volb().ZeroSlots(2);
    w.Raw(1030, "FILE").Put16(1030 + 0x54, 10).Put16(1030 + 0x56, 0x60);
    w.Raw(1030 + 0x60, std::string("a\0.\0t\0x\0t\0", 10));
    w.File("seen.txt", "x");
    const ScanResult r = ScanBytes(w.Bytes());
    EXPECT_EQ(r.RowPaths(), std::vector<std::string>{kRoot + "seen.txt"});
}

} // namespace
