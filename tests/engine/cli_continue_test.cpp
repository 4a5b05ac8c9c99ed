// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-recover extract --continue: an earlier save's folder is completed,
// what is there whole is kept, nothing is overwritten.

#include "bkf_writer.h"
#include "cli_tool.h"
#include "file_contents.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

using namespace test_files;
namespace fs = std::filesystem;

const std::string kSet = "/Recovered BKF/BKF/BACKUP SET 1(_Daily)/";

// Two files of one name (the second saved as "a (2).txt"), one with a recorded checksum.
std::vector<std::uint8_t> ContinueBackup()
{
    BkfWriter w;
    w.Sset("Daily").Dirb({}).File("a.txt", Pattern(10, 1)).File("a.txt", Pattern(20, 2));
    w.File("sum.bin", Pattern(5000, 3), FileOptions().Checksum()).File("z.txt", Pattern(30, 4));
    return w.Bytes();
}

TEST(CliContinueTest, KeepsWholeFilesAndSavesTheRestUnderTheNamesTheFirstSaveGaveThem)
{
    struct Case {
        const char* what;
        std::function<void(const std::string& set)> change;
        std::string summary;
        std::set<std::string> asideExpected;
    };
    const Case cases[] = {
        {"nothing missing", [](const std::string&) {}, "0 saved, 4 already there", {}},
        {"a stop left a .partial",
         [](const std::string& set) { fs::rename(set + "z.txt", set + "z.txt.partial"); },
         "1 saved, 3 already there", {}},
        {"a numbered name missing", [](const std::string& set) { fs::remove(set + "a (2).txt"); },
         "1 saved, 3 already there", {}},
        {"another size", [](const std::string& set) { WriteFileBytes(set + "a.txt", Pattern(3, 9)); },
         "1 saved, 3 already there", {"a.txt.partial"}},
        {"same size, checksum fails",
         [](const std::string& set) { WriteFileBytes(set + "sum.bin", Pattern(5000, 9)); },
         "1 saved, 3 already there", {"sum.bin.partial"}},
    };
    const TempFile backup(ContinueBackup());
    const TempDir fresh;
    ASSERT_EQ(RunRecover({"extract", "-q", backup.Path(), fresh.Path()}).status, 0);
    for (const Case& c : cases) {
        const TempDir dest;
        ASSERT_EQ(RunRecover({"extract", "-q", backup.Path(), dest.Path()}).status, 0);
        c.change(dest.Path() + kSet);
        const Tool::Result r = RunRecover({"extract", "--continue", backup.Path(), dest.Path()});
        EXPECT_EQ(r.status, 0) << c.what << Describe(r);
        EXPECT_NE(r.err.find(c.summary), std::string::npos) << c.what << Describe(r);
        std::set<std::string> expected = TreeOf(fresh.Path());
        for (const std::string& aside : c.asideExpected)
            expected.insert(kSet.substr(1) + aside);
        EXPECT_EQ(TreeOf(dest.Path()), expected) << c.what;
        for (const char* name : {"a.txt", "a (2).txt", "sum.bin", "z.txt"})
            EXPECT_EQ(ReadFileBytes(dest.Path() + kSet + name), ReadFileBytes(fresh.Path() + kSet + name)) << c.what;
    }
}

} // namespace
