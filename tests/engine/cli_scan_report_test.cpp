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

TEST(CliScanReportTest, DamageThatMayCostFilesIsSaidAndEndsWithStatusTwo)
{
    struct Case {
        const char* why;
        std::function<Bytes()> backup;
        std::vector<std::string> inErr; // with extract -v
        std::vector<std::string> onDisk; // below the output root
    };
    const Case cases[] = {
        {"a lost set block", LostSetBlock,
         {"scan report: 1 set block lost",
          R"x(a set block was lost: 2 files put into "BKF\BACKUP SET 2(set block lost)")x"},
         {"BACKUP SET 1(_Monday)/docs/report.doc", "BACKUP SET 2(set block lost)/docs/report.doc",
          "BACKUP SET 2(set block lost)/new/only_tue.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TempFile backup(c.backup());
        TempDir dir;
        const auto listed = RunRecover({"list", backup.Path()});
        EXPECT_EQ(listed.status, 0) << Describe(listed);
        const auto r = RunRecover({"extract", backup.Path(), dir.Path(), "-v"});
        EXPECT_EQ(r.status, 2) << Describe(r);
        for (const std::string& text : c.inErr)
            EXPECT_NE(r.err.find(text), std::string::npos) << text << "\n" << r.err;
        for (const std::string& path : c.onDisk)
            EXPECT_TRUE(test_files::fs::exists(test_files::fs::path(dir.Path()) / "Recovered BKF" / "BKF" / path)) << path;
    }
}

} // namespace
