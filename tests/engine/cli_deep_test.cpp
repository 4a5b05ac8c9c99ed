// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-recover --deep and --times as a user runs them.

#include "bkf_writer.h"
#include "cli_tool.h"
#include "extraction_support.h"
#include "temp_path.h"

#include <gtest/gtest.h>

namespace {

using namespace extraction_test;

// A backup that lost 7 bytes inside its first file's data, with a file whose
// data differ from its recorded checksum and a file of 2 MiB after the damage.
Bytes ShiftedBackup()
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"docs"}).File("a.bin", Pattern(5000, 1));
    const std::size_t damage = w.LastFile().data + 100;
    w.File("good.bin", "good", FileOptions().Checksum().Modified(BkfWriter::Date(2010, 5, 6)));
    w.File("bad.bin", "bad!", FileOptions().Checksum(1)).File("big.bin", Bytes(2 << 20, 7));
    w.RemoveBytes(damage, 7);
    return w.Bytes();
}

TEST(CliDeepTest, DeepScanAndTimes)
{
    const std::string set = "BKF/BACKUP SET 1(_Daily)/docs/";
    struct Case {
        std::vector<std::string> args; // after BACKUP (and DEST for extract)
        bool extract;
        int status;
        std::vector<std::string> inErr;
        std::vector<std::string> notInErr;
    };
    const Case cases[] = {
        {{}, false, 0, {"4 files in 1 set"}, {"hint:"}},
        {{"--deep"}, false, 0, {"4 files in 1 set"}, {"hint:"}},
        {{"--deep", "--times"}, true, 2,
         {"data check: 1 file verified, 1 damaged, 2 unchecked", set + "bad.bin: damaged",
          "dates: 1 restored, 3 unknown or out of range, 0 refused"},
         {}},
        // The default scan finds the blocks the shift moved off the grid too.
        {{"-m"}, true, 2, {"data check: 1 file verified, 1 damaged, 2 unchecked"}, {"dates:"}},
    };
    TempFile backup(ShiftedBackup());
    for (const Case& c : cases) {
        TempDir dir;
        std::vector<std::string> args = {c.extract ? "extract" : "list", backup.Path()};
        if (c.extract)
            args.push_back(dir.Path());
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.push_back("-v");
        if (!c.extract)
            args.back() = "--debug";
        SCOPED_TRACE(::testing::PrintToString(args));
        const auto r = RunRecover(args);
        EXPECT_EQ(r.status, c.status) << Describe(r);
        for (const std::string& text : c.inErr)
            EXPECT_NE(r.err.find(text), std::string::npos) << text << "\n" << r.err;
        for (const std::string& text : c.notInErr)
            EXPECT_EQ(r.err.find(text), std::string::npos) << text << "\n" << r.err;
    }
}

} // namespace
