// SPDX-License-Identifier: GPL-3.0-or-later
// Backup sets: how SSET blocks name the set folder of the files after them.

#include "bkf_writer.h"
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

} // namespace
