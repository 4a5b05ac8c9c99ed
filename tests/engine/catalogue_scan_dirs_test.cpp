// SPDX-License-Identifier: GPL-3.0-or-later
// Directories: the DIRB path, "lost dir" replacements, the 260-character
// limit, and how the current directory carries over between blocks and sets.

#include "bkf_writer.h"
#include "scan_recorder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kSet = R"(BKF\BACKUP SET 1(_S)\)";

TEST(CatalogueScanDirsTest, DirectoryNameBecomesABackslashPath)
{
    struct Case {
        const char* why;
        std::vector<TapeString> components;
        NameLayout layout;
        std::string dir; // without the leading backslash
    };
    const Case cases[] = {
        {"nested", {"WINDOWS", "system32"}, {}, "WINDOWS\\system32\\"},
        {"root", {}, {}, ""},
        {"empty name field", {"ignored"}, NameLayout().Size(0), ""},
        {"Cyrillic", {"Документы"}, {}, "Документы\\"},
        {"CJK and emoji", {"日本", "😀"}, {}, "日本\\😀\\"},
        {"three dots are a name", {"..."}, {}, "...\\"},
        {"name far into the block", {"far"}, NameLayout().At(0x300), "far\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w;
        w.Sset("S").Dirb(c.components, c.layout).File("f.txt", "x");
        const ScanResult r = ScanBytes(w.Bytes());
        EXPECT_EQ(r.paths, (std::vector<std::string>{kSet + c.dir, kSet + c.dir + "f.txt"}));
        EXPECT_EQ(r.RowPaths(), std::vector<std::string>{kSet + c.dir + "f.txt"});
    }
}

TEST(CatalogueScanDirsTest, UnusableDirectoryBecomesLostDir)
{
    struct Case {
        const char* why;
        TapeString name; // whole DIRB name field
    };
    const Case cases[] = {
        {"question mark", TapeString::Units({'a', '?', 0})},
        {"colon", TapeString::Units({'C', ':', 0})},
        {"slash", TapeString::Units({'a', '/', 'b', 0})},
        {"dot dot component", TapeString::Units({'a', 0, '.', '.', 0})},
        {"dot component", TapeString::Units({'.', 0})},
        {"control character", TapeString::Units({'a', 0x1B, 0})},
        {"DEL", TapeString::Units({'a', 0x7F, 0})},
        {"C1 control", TapeString::Units({'a', 0x9F, 0})},
        {"unpaired surrogate", TapeString::Units({'a', 0xDC00, 0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w;
        w.Sset("S").DirbName(c.name).File("f.txt", "x");
        const ScanResult r = ScanBytes(w.Bytes());
        EXPECT_EQ(r.paths, (std::vector<std::string>{kSet + "lost dir0\\", kSet + "lost dir0\\f.txt"}));
        EXPECT_EQ(r.RowPaths(), std::vector<std::string>{kSet + "lost dir0\\f.txt"});
    }
}

TEST(CatalogueScanDirsTest, LostDirsAreNumberedAcrossTheWholeScan)
{
    BkfWriter w;
    w.Sset("S").Dirb({"bad?"}).File("a.txt", "1").Dirb({"good"}).File("b.txt", "2");
    w.Sset("T").Dirb({"x", ".."}).File("c.txt", "3");
    const ScanResult r = ScanBytes(w.Bytes());
    EXPECT_EQ(r.RowPaths(), (std::vector<std::string>{kSet + R"(lost dir0\a.txt)", kSet + R"(good\b.txt)",
                                                     R"(BKF\BACKUP SET 2(_T)\lost dir1\c.txt)"}));
}

TEST(CatalogueScanDirsTest, CurrentDirectoryCarriesIntoTheNextSet)
{
    BkfWriter w;
    w.Sset("A").Dirb({"docs"}).File("a.txt", "1").Sset("B").File("b.txt", "2").Dirb({}).File("c.txt", "3");
    const ScanResult r = ScanBytes(w.Bytes());
    EXPECT_EQ(r.RowPaths(), (std::vector<std::string>{R"(BKF\BACKUP SET 1(_A)\docs\a.txt)",
                                                     R"(BKF\BACKUP SET 2(_B)\docs\b.txt)",
                                                     R"(BKF\BACKUP SET 2(_B)\c.txt)"}));
}

TEST(CatalogueScanDirsTest, UnusableFileLeavesTheDirectoryAlone)
{
    BkfWriter w;
    w.Sset("S").Dirb({"docs"}).File("bad?.txt", "1").File("good.txt", "2");
    const ScanResult r = ScanBytes(w.Bytes());
    EXPECT_EQ(r.RowPaths(), std::vector<std::string>{kSet + R"(docs\good.txt)"});
}

// Components of up to 255 characters, catalogue paths of up to 1,024:
// "BKF\BACKUP SET 0\" is 17 characters, each component adds its length and
// a separator. A folder too long for the tree still holds its files back.
TEST(CatalogueScanDirsTest, PathLimitCountsCharacters)
{
    struct Case {
        std::size_t components;
        std::size_t length;
        bool kept;
    };
    const Case cases[] = {{1, 255, true}, {1, 256, false}, {4, 250, true}, {5, 250, false}};
    for (const char* character : {"x", "é", "日", "😀"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(character) + " " + std::to_string(c.components) + " x " + std::to_string(c.length));
            const std::vector<TapeString> components(c.components, TapeString(Repeat(character, c.length)));
            std::string folder = R"(BKF\BACKUP SET 0\)";
            for (std::size_t k = 0; k < c.components; ++k)
                folder += Repeat(character, c.length) + "\\";
            BkfWriter w;
            w.Dirb(components).File("a", "x");
            const ScanResult r = ScanBytes(w.Bytes());
            EXPECT_EQ(r.HasPath(folder), c.kept);
            EXPECT_EQ(r.RowPaths(), c.kept ? std::vector<std::string>{folder + "a"} : std::vector<std::string>{});
        }
    }
}

TEST(CatalogueScanDirsTest, OtherBlocksChangeNothing)
{
    // An ESET or a filemark ends the set: what follows without a set block is
    // a set of its own (catalogue_scan_sets_test.cpp).
    for (const char* tag : {"TAPE", "VOLB", "EOTM", "CFIL", "ESPB", "TSMP", "TFDD", "NACL", "NTQU", "CSUM", "STAN",
                            "SPAD", "FEND", "NTOI", "file", "XXXX"}) {
        SCOPED_TRACE(tag);
        BkfWriter w;
        w.Sset("S").Dirb({"docs"}).Tag(tag).File("a.txt", "x");
        const ScanResult r = ScanBytes(w.Bytes());
        EXPECT_EQ(r.RowPaths(), std::vector<std::string>{kSet + R"(docs\a.txt)"});
    }
}

// In whole windows each DIRB hands its folder path over, and each FILE its
// row and then its catalogue path.
TEST(CatalogueScanDirsTest, RowsAndPathsArriveInBlockOrder)
{
    BkfWriter w;
    w.Sset("S").Dirb({}).File("a.txt", "1").Dirb({"docs"}).File("b", "2").File("c.txt", "3", FileOptions().NoStan());
    w.PadTo(BkfWriter::kWindow);
    const ScanResult r = ScanBytes(w.Bytes());
    using E = ScanEvent;
    const std::vector<ScanEvent> expected = {
        {E::Path, kSet},
        {E::Row, kSet + "a.txt"},          {E::Path, kSet + "a.txt"},
        {E::Path, kSet + "docs\\"},
        {E::Row, kSet + "docs\\b"},        {E::Path, kSet + "docs\\b"},
        {E::Row, kSet + "docs\\c.txt"},    {E::Path, kSet + "docs\\c.txt"},
    };
    EXPECT_EQ(r.events, expected);
}

TEST(CatalogueScanDirsTest, TailPassHandsOverTheSameRowsAndPaths)
{
    BkfWriter w;
    w.Sset("S").Dirb({"docs"}).File("b", "2").File("c.txt", "3", FileOptions().NoStan());
    const ScanResult r = ScanBytes(w.Bytes());
    EXPECT_EQ(r.RowPaths(), (std::vector<std::string>{kSet + "docs\\b", kSet + "docs\\c.txt"}));
    EXPECT_EQ(r.paths.size(), 3u);
    EXPECT_EQ(r.paths[0], kSet + "docs\\");
    EXPECT_TRUE(r.HasPath(kSet + "docs\\b"));
    EXPECT_TRUE(r.HasPath(kSet + "docs\\c.txt"));
}

} // namespace
