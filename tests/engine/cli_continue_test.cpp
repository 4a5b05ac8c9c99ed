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
BkfWriter ContinueWriter()
{
    BkfWriter w;
    w.Sset("Daily").Dirb({}).File("a.txt", Pattern(10, 1)).File("a.txt", Pattern(20, 2));
    w.File("sum.bin", Pattern(5000, 3), FileOptions().Checksum()).File("big.bin", Pattern(10000, 5));
    w.File("z.txt", Pattern(30, 4));
    return w;
}

std::vector<std::uint8_t> ContinueBackup()
{
    return ContinueWriter().Bytes();
}

// `bytes` with the byte at `at` changed.
Bytes Changed(Bytes bytes, std::size_t at)
{
    bytes.at(at) ^= 0xFF;
    return bytes;
}

TEST(CliContinueTest, KeepsWholeFilesAndSavesTheRestUnderTheNamesTheFirstSaveGaveThem)
{
    struct Case {
        const char* what;
        std::function<void(const std::string& set)> change;
        std::string summary;
        std::set<std::string> asideExpected;
    };
    // Fault: what continue moved aside stayed as NAME.partial once the file was
    // saved whole, and a same-size file of zeros (a power cut) was kept.
    const Case cases[] = {
        {"nothing missing", [](const std::string&) {}, "0 saved, 5 already there", {}},
        {"a stop left a .partial",
         [](const std::string& set) { fs::rename(set + "z.txt", set + "z.txt.partial"); },
         "1 saved, 4 already there", {}},
        {"a numbered name missing", [](const std::string& set) { fs::remove(set + "a (2).txt"); },
         "1 saved, 4 already there", {}},
        {"another size", [](const std::string& set) { WriteFileBytes(set + "a.txt", Pattern(3, 9)); },
         "1 saved, 4 already there", {}},
        {"killed right after it was made", [](const std::string& set) { WriteFileBytes(set + "z.txt", {}); },
         "1 saved, 4 already there", {}},
        {"killed again: cut short beside its earlier copies",
         [](const std::string& set) {
             WriteFileBytes(set + "z.txt.partial", Pattern(7, 9));
             WriteFileBytes(set + "z.txt.partial1", {});
             WriteFileBytes(set + "z.txt", Pattern(12, 4));
         },
         "1 saved, 4 already there", {}},
        {"same size, checksum fails",
         [](const std::string& set) { WriteFileBytes(set + "sum.bin", Pattern(5000, 9)); },
         "1 saved, 4 already there", {}},
        {"same size, zeros, no checksum", [](const std::string& set) { WriteFileBytes(set + "a.txt", Bytes(10)); },
         "1 saved, 4 already there", {}},
        {"same size, last byte differs, no checksum",
         [](const std::string& set) { WriteFileBytes(set + "big.bin", Changed(Pattern(10000, 5), 9999)); },
         "1 saved, 4 already there", {}},
        {"whole, beside an earlier copy",
         [](const std::string& set) { WriteFileBytes(set + "big.bin.partial", Pattern(50, 5)); },
         "0 saved, 5 already there", {}},
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
        for (const char* name : {"a.txt", "a (2).txt", "sum.bin", "big.bin", "z.txt"})
            EXPECT_EQ(ReadFileBytes(dest.Path() + kSet + name), ReadFileBytes(fresh.Path() + kSet + name)) << c.what;
    }
}

// A file the backup holds only in part is never whole: the copy continue set
// aside stays, and the run says so.
TEST(CliContinueTest, IncompleteCopiesThatStayAreListed)
{
    BkfWriter w = ContinueWriter();
    const TempFile backup(w.Truncate(static_cast<std::size_t>(w.LastFile().data) + 10).Bytes());
    const TempDir dest;
    ASSERT_EQ(RunRecover({"extract", "-q", backup.Path(), dest.Path()}).status, 2);
    WriteFileBytes(dest.Path() + kSet + "z.txt", Pattern(3, 9));

    const Tool::Result r = RunRecover({"extract", "--continue", backup.Path(), dest.Path()});
    EXPECT_EQ(r.status, 2) << Describe(r);
    EXPECT_NE(r.err.find("z.txt: an incomplete copy from an earlier save kept as z.txt.partial\n"), std::string::npos)
        << Describe(r);
    EXPECT_NE(r.err.find("0 saved, 4 already there"), std::string::npos) << Describe(r);
    EXPECT_NE(r.err.find("; 1 incomplete copy kept as NAME.partial\n"), std::string::npos) << Describe(r);
    EXPECT_EQ(ReadFileBytes(dest.Path() + kSet + "z.txt.partial"), Pattern(3, 9));
    EXPECT_EQ(ReadFileBytes(dest.Path() + kSet + "z.txt"), Pattern(10, 4));
}

} // namespace
