// SPDX-License-Identifier: GPL-3.0-or-later
// What bkf-recover says, and how it ends, when the scan met damage that may
// have cost files.

#include "bkf_writer.h"
#include "cli_tool.h"
#include "file_contents.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using test_files::Bytes;

// Monday and Tuesday both hold docs\report.doc; Tuesday's set block is zeroed.
Bytes LostSetBlock()
{
    BkfWriter w;
    w.Sset("Monday").Dirb({"docs"}).File("report.doc", "mon").Tag("ESET").Tag("SFMB");
    const std::size_t tuesday = w.NextSlot();
    w.Sset("Tuesday").Dirb({"docs"}).File("report.doc", "tue").Dirb({"new"}).File("only_tue.txt", "t");
    return w.ZeroRange(tuesday, 512).Bytes();
}

// 240 zero bytes over the last 200 data bytes of a file and its checksum stream.
Bytes LostChecksum()
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"docs"}).File("a.bin", test_files::Pattern(3000, 3), FileOptions().Checksum());
    const std::size_t dataEnd = w.LastFile().data + 3000;
    w.File("b.bin", "b", FileOptions().Checksum());
    return w.ZeroRange(dataEnd - 200, 240).Bytes();
}

// Other bytes over several blocks: the files there are lost.
Bytes RandomBytesOverBlocks()
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"docs"});
    for (int i = 0; i < 40; ++i)
        w.File("f" + std::to_string(i) + ".bin", test_files::Pattern(20000, static_cast<std::uint32_t>(i)));
    return w.Raw(100000, test_files::Pattern(300000, 99)).Bytes();
}

TEST(CliScanReportTest, DamageThatMayCostFilesIsSaidAndEndsWithStatusTwo)
{
    struct Case {
        const char* why;
        std::function<Bytes()> backup;
        std::string inList;             // in the output of list --json
        std::string listReport;         // in its report line
        std::vector<std::string> inErr; // with extract -v
        std::vector<std::string> onDisk; // below the output root
    };
    const Case cases[] = {
        {"a lost set block", LostSetBlock, "BACKUP SET 2(set block lost)/new/only_tue.txt", "1 set block lost",
         {"scan report: 1 set block lost",
          R"x(a set block was lost: 2 files put into "BKF\BACKUP SET 2(set block lost)")x"},
         {"BACKUP SET 1(_Monday)/docs/report.doc", "BACKUP SET 2(set block lost)/docs/report.doc",
          "BACKUP SET 2(set block lost)/new/only_tue.txt"}},
        {"a lost checksum", LostChecksum, R"("status": "checksum lost")", "",
         {"BKF/BACKUP SET 1(_Daily)/docs/a.bin: its checksum is missing: the data may be damaged",
          "data check: 1 file verified, 0 damaged, 1 with its checksum missing, 0 unchecked"},
         {"BACKUP SET 1(_Daily)/docs/a.bin", "BACKUP SET 1(_Daily)/docs/b.bin"}},
        {"other bytes over several blocks", RandomBytesOverBlocks, "BACKUP SET 1(_Daily)/docs/f39.bin",
         "of the backup hold no file that could be read",
         {"of the backup hold no file that could be read",
          "ranges of 64 KiB or more that hold no file that could be read: "},
         {"BACKUP SET 1(_Daily)/docs/f0.bin", "BACKUP SET 1(_Daily)/docs/f39.bin"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TempFile backup(c.backup());
        TempDir dir;
        const auto listed = RunRecover({"list", backup.Path(), "--json"});
        EXPECT_EQ(listed.status, 0) << Describe(listed);
        EXPECT_NE(listed.err.find(c.listReport), std::string::npos) << listed.err;
        EXPECT_NE(listed.out.find(c.inList), std::string::npos) << listed.out;
        const auto r = RunRecover({"extract", backup.Path(), dir.Path(), "-v"});
        EXPECT_EQ(r.status, 2) << Describe(r);
        for (const std::string& text : c.inErr)
            EXPECT_NE(r.err.find(text), std::string::npos) << text << "\n" << r.err;
        for (const std::string& path : c.onDisk)
            EXPECT_TRUE(test_files::fs::exists(test_files::fs::path(dir.Path()) / "Recovered BKF" / "BKF" / path)) << path;
    }
}

} // namespace
