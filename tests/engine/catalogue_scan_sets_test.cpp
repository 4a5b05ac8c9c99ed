// SPDX-License-Identifier: GPL-3.0-or-later
// Backup sets: how SSET blocks name the set folder of the files after them.

#include "bkf_writer.h"
#include "file_contents.h"
#include "scan_recorder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SetCase {
    const char* why;
    TapeString name;
    NameLayout layout;
    std::string folder;
};

TEST(CatalogueScanSetsTest, SetFolderComesFromTheSetName)
{
    const SetCase cases[] = {
        {"plain name", "Daily", {}, "BACKUP SET 1(_Daily)"},
        {"colon and slash replaced", "Mon: 1/2", {}, "BACKUP SET 1(_Mon_ 1_2)"},
        {"backslash replaced", "a\\b", {}, "BACKUP SET 1(_a_b)"},
        {"NUL unit becomes an underscore", TapeString::Units({'a', 0, 'b'}), {}, "BACKUP SET 1(_a_b)"},
        {"empty name", "", {}, "BACKUP SET 1()"},
        {"question mark empties the label", "Daily?", {}, "BACKUP SET 1()"},
        {"an apostrophe is a legal character", "Bob's", {}, "BACKUP SET 1(_Bob's)"},
        {"control character empties the label", TapeString::Units({'a', 7}), {}, "BACKUP SET 1()"},
        {"C1 control empties the label", TapeString::Units({'a', 0x85}), {}, "BACKUP SET 1()"},
        {"unpaired surrogate empties the label", TapeString::Units({'a', 0xD800}), {}, "BACKUP SET 1()"},
        {"dots are no component once the backslash is replaced", "..", {}, "BACKUP SET 1(_..)"},
        {"accented", "Sauvegarde été", {}, "BACKUP SET 1(_Sauvegarde été)"},
        {"CJK", "日本", {}, "BACKUP SET 1(_日本)"},
        {"emoji", "😀 backup", {}, "BACKUP SET 1(_😀 backup)"},
        {"largest accepted size, 260 bytes", Repeat("s", 130), {}, "BACKUP SET 1(_" + Repeat("s", 130) + ")"},
        {"odd size rounds up to whole units", "Daily", NameLayout().Size(9), "BACKUP SET 1(_Daily)"},
        {"name later in the block", "Far", NameLayout().At(0x1F0), "BACKUP SET 1(_Far)"},
    };
    for (const SetCase& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w;
        w.Sset(c.name, 1, c.layout).File("f.txt", "x");
        const ScanResult r = ScanBytes(w.Bytes());
        const std::string path = "BKF\\" + c.folder + "\\f.txt";
        EXPECT_EQ(r.RowPaths(), std::vector<std::string>{path});
        EXPECT_TRUE(r.HasPath(path));
    }
}

TEST(CatalogueScanSetsTest, FilesBeforeAnySetAreInSetZero)
{
    BkfWriter w;
    w.Tag("TAPE").File("readme.txt", "x");
    const ScanResult r = ScanBytes(w.Bytes());
    EXPECT_EQ(r.RowPaths(), std::vector<std::string>{R"(BKF\BACKUP SET 0\readme.txt)"});
    EXPECT_EQ(r.paths, std::vector<std::string>{R"(BKF\BACKUP SET 0\readme.txt)"});
}

TEST(CatalogueScanSetsTest, SetsAreNumberedInOrderNotByTheirSetNumberField)
{
    BkfWriter w;
    w.Sset("Daily", 7).File("a.txt", "x").Sset("Weekly", 3).File("b.txt", "y");
    const ScanResult r = ScanBytes(w.Bytes());
    EXPECT_EQ(r.RowPaths(), (std::vector<std::string>{R"(BKF\BACKUP SET 1(_Daily)\a.txt)",
                                                     R"(BKF\BACKUP SET 2(_Weekly)\b.txt)"}));
}

TEST(CatalogueScanSetsTest, OversizedSetNameIsPassedOver)
{
    struct Case {
        const char* why;
        TapeString name;
        NameLayout layout;
    };
    const Case cases[] = {
        {"261 bytes", Repeat("b", 131), NameLayout().Size(261)},
        {"262 bytes", Repeat("b", 131), {}},
        {"0xFFFF bytes", "Bad", NameLayout().Size(0xFFFF)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w;
        w.Sset("Old").File("a.txt", "x").Sset(c.name, 2, c.layout).File("b.txt", "y").Sset("Next").File("c.txt", "z");
        const ScanResult r = ScanBytes(w.Bytes());
        // The passed-over set neither counts nor changes the folder.
        EXPECT_EQ(r.RowPaths(), (std::vector<std::string>{R"(BKF\BACKUP SET 1(_Old)\a.txt)",
                                                         R"(BKF\BACKUP SET 1(_Old)\b.txt)",
                                                         R"(BKF\BACKUP SET 2(_Next)\c.txt)"}));
    }
}

TEST(CatalogueScanSetsTest, SetAloneAddsNoFolder)
{
    BkfWriter w;
    w.Sset("Empty").Volb().Tag("ESET");
    const ScanResult r = ScanBytes(w.Bytes());
    EXPECT_TRUE(r.completed);
    EXPECT_TRUE(r.rows.empty());
    EXPECT_TRUE(r.paths.empty());
}

TEST(CatalogueScanSetsTest, TraceNamesEverySetBlockWithItsNumber)
{
    BkfWriter w;
    w.Sset("A", 7).Sset(Repeat("b", 131), 65535).Tag("ESET");
    const ScanResult r = ScanBytes(w.Bytes());
    EXPECT_NE(r.trace.find("\nSet 7: "), std::string::npos) << r.trace;
    // The set number is unsigned 16-bit, and passed-over sets are traced too.
    EXPECT_NE(r.trace.find("\nSet 65535: "), std::string::npos) << r.trace;
    std::size_t names = 0;
    for (std::size_t at = r.trace.find("\nName: "); at != std::string::npos; at = r.trace.find("\nName: ", at + 1))
        ++names;
    EXPECT_EQ(names, 2u) << r.trace;
}

// Each set ends with an ESET and a filemark; directory IDs count from 1 per set.
void WriteSet(BkfWriter& w, const char* name, const char* file)
{
    w.Sset(name).Volb().Dirb({"2005"}).File("old.txt", "o").Dirb({"docs"}).File("report.doc", "r");
    w.Dirb({"new"}).File(file, "n").Tag("ESET").Tag("SFMB");
}

// A lost set block once merged the next set into the one before: its files
// went into that set's folders, by order or by a directory ID of that set.
TEST(CatalogueScanSetsTest, ALostSetBlockStartsASetOfItsOwn)
{
    const std::string lost = R"(BKF\BACKUP SET 2(set block lost)\)";
    struct Case {
        const char* why;
        void (*damage)(BkfWriter& w, std::size_t eset, std::size_t tuesday, std::size_t firstDirb);
        std::vector<std::string> tuesdayRows;
    };
    const Case cases[] = {
        {"set block zeroed, after an ESET",
         [](BkfWriter& w, std::size_t, std::size_t tuesday, std::size_t) { w.ZeroRange(tuesday, 512); },
         {lost + R"(2005\old.txt)", lost + R"(docs\report.doc)", lost + R"(new\only_tue.txt)"}},
        {"ESET, filemark and set block zeroed: the directory IDs start again",
         [](BkfWriter& w, std::size_t eset, std::size_t tuesday, std::size_t) {
             w.ZeroRange(eset, tuesday + 512 - eset);
         },
         {lost + R"(2005\old.txt)", lost + R"(docs\report.doc)", lost + R"(new\only_tue.txt)"}},
        {"garbage from the ESET to the first folder: its file's ID is no folder of the set before",
         [](BkfWriter& w, std::size_t eset, std::size_t, std::size_t firstDirb) {
             const test_files::Bytes garbage = test_files::Pattern(firstDirb + 512 - eset, 9);
             w.Raw(eset, garbage);
         },
         {lost + R"(lost dir0\old.txt)", lost + R"(docs\report.doc)", lost + R"(new\only_tue.txt)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w;
        WriteSet(w, "Monday", "only_mon.txt");
        const std::size_t eset = w.LastBlock() - 512;
        const std::size_t tuesday = w.NextSlot();
        WriteSet(w, "Tuesday", "only_tue.txt");
        const std::size_t firstDirb = tuesday + 1024;
        WriteSet(w, "Wednesday", "only_wed.txt");
        c.damage(w, eset, tuesday, firstDirb);
        const ScanResult r = ScanBytes(w.Bytes());
        ASSERT_EQ(r.rows.size(), 9u);
        const std::vector<std::string> paths = r.RowPaths();
        const std::vector<std::string> tuesdayRows(paths.begin() + 3, paths.begin() + 6);
        EXPECT_EQ(tuesdayRows, c.tuesdayRows);
        EXPECT_EQ(r.rows[8].path, R"(BKF\BACKUP SET 3(_Wednesday)\new\only_wed.txt)");
        ASSERT_EQ(r.report.lostSets.size(), 1u);
        EXPECT_EQ(r.report.lostSets[0].files, 3u);
        EXPECT_TRUE(r.report.FilesMayBeMissing());
    }
}

TEST(CatalogueScanSetsTest, EachLostSetHasItsOwnFolderAndLine)
{
    BkfWriter w;
    std::vector<std::size_t> sets;
    for (const char* name : {"Monday", "Tuesday", "Wednesday"}) {
        sets.push_back(w.NextSlot());
        WriteSet(w, name, "only.txt");
    }
    for (const std::size_t set : sets)
        w.ZeroRange(set, 512);
    const ScanResult r = ScanBytes(w.Bytes());
    // The first set's files keep "BACKUP SET 0", as before any set block.
    EXPECT_EQ(r.rows.front().path, R"(BKF\BACKUP SET 0\2005\old.txt)");
    EXPECT_EQ(r.rows[3].path, R"(BKF\BACKUP SET 1(set block lost)\2005\old.txt)");
    EXPECT_EQ(r.rows.back().path, R"(BKF\BACKUP SET 2(set block lost)\new\only.txt)");
    EXPECT_EQ(ScanReportSummary(r.report), "2 set blocks lost");
    const std::vector<std::string> details = ScanReportDetails(r.report);
    EXPECT_EQ(details, (std::vector<std::string>{
                           R"x(a set block was lost: 3 files put into "BKF\BACKUP SET 1(set block lost)")x",
                           R"x(a set block was lost: 3 files put into "BKF\BACKUP SET 2(set block lost)")x"}));
}

TEST(CatalogueScanSetsTest, IntactSetsLoseNoSetBlock)
{
    BkfWriter w;
    WriteSet(w, "Monday", "a.txt");
    WriteSet(w, "Tuesday", "b.txt");
    const ScanResult r = ScanBytes(w.Bytes());
    EXPECT_EQ(r.rows.back().path, R"(BKF\BACKUP SET 2(_Tuesday)\new\b.txt)");
    EXPECT_TRUE(r.report.Empty());
}

} // namespace
