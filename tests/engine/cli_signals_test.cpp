// SPDX-License-Identifier: GPL-3.0-or-later
// Signals to bkf-recover: SIGINT, SIGTERM and SIGHUP stop it with 128 + the
// signal; a second one stops the save at once and keeps the file being
// written as NAME.partial.

#include "bkf_writer.h"
#include "cli_tool.h"
#include "extraction_support.h"
#include "file_size_limit.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace extraction_test;

// Waits (bounded) until `done` holds or the tool has ended.
template <typename Done>
bool WaitUntil(Tool& tool, Done done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done() && !tool.HasExited() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return done();
}

// Rows first, then (sparse) zeros that keep the scan busy.
std::unique_ptr<TempFile> RowsThenZeros(std::uint64_t size = std::uint64_t{8} << 30)
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"d"});
    for (int k = 0; k < 200; ++k)
        w.File("f" + std::to_string(k), "data");
    auto file = std::make_unique<TempFile>(w.Bytes());
    const FileSizeLimitLift lift;
    file->Resize(size);
    return file;
}

TEST(CliSignalsTest, EachStopSignalEndsTheScanWith128PlusTheSignal)
{
    if (!BytesRead(::getpid()))
        GTEST_SKIP() << "no /proc/PID/io here";
    const auto backup = RowsThenZeros();
    TempDir dir;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        for (const std::string command : {"list", "extract"}) {
            SCOPED_TRACE(command + " " + std::to_string(signal));
            std::vector<std::string> args = {command, backup->Path()};
            if (command == "extract")
                args.push_back(dir.Child("dest"));
            Tool tool(BKF_RECOVER_PATH, args);
            ASSERT_TRUE(tool.Start());
            const auto scanning = [&] { return BytesRead(tool.Pid()).value_or(0) >= (4u << 20); };
            ASSERT_TRUE(WaitUntil(tool, scanning)) << "the scan never began";
            ::kill(tool.Pid(), signal);
            const auto r = tool.Finish();
            EXPECT_EQ(r.status, 128 + signal) << Describe(r);
            EXPECT_NE(r.err.find("bkf-recover: interrupted"), std::string::npos) << r.err;
            ASSERT_FALSE(r.out.empty());
            EXPECT_EQ(r.out.back(), '\n') << "the output ends on a whole line";
            if (command == "list") {
                EXPECT_EQ(Lines(r.out).size(), 200u);
            } else {
                // The files the scan passed before the signal were saved whole.
                const std::string root = r.out.substr(0, r.out.size() - 1);
                for (const char* name : {"f0", "f199"})
                    EXPECT_EQ(ReadFileBytes(root + "/BKF/BACKUP SET 1(_Daily)/d/" + name), (Bytes{'d', 'a', 't', 'a'}));
            }
        }
    }
}

// Fault: a backup that shrank during the scan was reported unreadable
// ("cannot read ...: Input/output error", exit 1): what could not be read was
// compared with the size it had shrunk to, not the size the scan started with.
TEST(CliSignalsTest, BackupShrinkingDuringTheScanIsListedUpToItsNewEnd)
{
    if (!BytesRead(::getpid()))
        GTEST_SKIP() << "no /proc/PID/io here";
    const auto backup = RowsThenZeros(std::uint64_t{512} << 20);
    Tool tool(BKF_RECOVER_PATH, {"list", backup->Path()});
    ASSERT_TRUE(tool.Start());
    ASSERT_TRUE(WaitUntil(tool, [&] { return BytesRead(tool.Pid()).value_or(0) >= (4u << 20); }));
    backup->Resize(std::uint64_t{256} << 20);
    const auto r = tool.Finish();
    EXPECT_EQ(r.status, 0) << Describe(r);
    EXPECT_EQ(Lines(r.out).size(), 200u);
    EXPECT_EQ(r.err.find("cannot read"), std::string::npos) << r.err;
}

constexpr std::uint64_t kHugeLength = std::uint64_t{400} << 20; // below the tests' file size cap

// small.txt, then huge.bin whose data run for 400 MiB (sparse): its save
// cannot end before a second Ctrl-C.
std::unique_ptr<TempFile> SmallThenHuge()
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"d"}).File("small.txt", "whole");
    w.File("huge.bin", "x", FileOptions().StreamLength(kHugeLength));
    const std::uint64_t dataAt = w.LastFile().data;
    auto backup = std::make_unique<TempFile>(w.Bytes());
    backup->Resize(dataAt + kHugeLength);
    return backup;
}

// Stops the tool's save at once: Ctrl-C twice.
void StopNow(Tool& tool)
{
    ::kill(tool.Pid(), SIGINT);
    ASSERT_TRUE(tool.WaitForErr("stopping after the current file; press Ctrl-C again to stop now"));
    ::kill(tool.Pid(), SIGINT);
}

// The second Ctrl-C keeps what was written of huge.bin as huge.bin.partial.
TEST(CliSignalsTest, SecondCtrlCStopsAtOnceAndKeepsThePartialFile)
{
    constexpr std::uint64_t kLength = kHugeLength;
    const auto backup = SmallThenHuge();
    TempDir dir;
    ToolSetup terminal;
    terminal.terminalStderr = true;
    Tool tool(BKF_RECOVER_PATH, {"extract", backup->Path(), dir.Path()}, terminal);
    ASSERT_TRUE(tool.Start());
    const std::string folder = dir.Child("Recovered BKF/BKF/BACKUP SET 1(_Daily)/d/");
    ASSERT_TRUE(WaitUntil(tool, [&] { return fs::exists(folder + "huge.bin"); }));
    StopNow(tool);
    const auto r = tool.Finish();

    EXPECT_EQ(r.status, 130) << Describe(r);
    EXPECT_NE(r.err.find("d/huge.bin: stopped after "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(" of 419430400 bytes: kept as huge.bin.partial\r\n"), std::string::npos) << r.err;
    // Fault: the summary counted the bytes of huge.bin.partial as saved.
    EXPECT_NE(r.err.find("interrupted; 1 file, 5 B saved into "), std::string::npos) << r.err;
    EXPECT_EQ(TreeOf(folder), (std::set<std::string>{"small.txt", "huge.bin.partial"}));
    EXPECT_LT(fs::file_size(folder + "huge.bin.partial"), kLength);
    EXPECT_EQ(ReadFileBytes(folder + "small.txt"), (Bytes{'w', 'h', 'o', 'l', 'e'}));
}

// Fault: the progress line counted the file being written as saved ("2 files
// (5.1 MiB) saved" with huge.bin 1 % written).
TEST(CliSignalsTest, ProgressCountsOnlyFilesSavedWhole)
{
    const auto backup = SmallThenHuge();
    TempDir dir;
    ToolSetup terminal;
    terminal.terminalStderr = true;
    Tool tool(BKF_RECOVER_PATH, {"extract", backup->Path(), dir.Path()}, terminal);
    ASSERT_TRUE(tool.Start());
    // Past its first MiB only huge.bin's data move the position on.
    ASSERT_TRUE(tool.WaitForErr(" MiB of "));
    StopNow(tool);
    const auto r = tool.Finish();

    const std::size_t at = r.err.find(" MiB of ");
    ASSERT_NE(at, std::string::npos);
    const std::string line = r.err.substr(at, r.err.find('\r', at) - at);
    EXPECT_NE(line.find(" read ("), std::string::npos) << line;
    EXPECT_NE(line.find("), 1 file (5 B) saved, "), std::string::npos) << line;
}

// Fault: past a file size limit ("ulimit -f") SIGXFSZ ended extract with
// exit 153, no message, and the file cut short under its own name.
TEST(CliSignalsTest, FileSizeLimitFailsThatFileAndTheSaveGoesOn)
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"d"}).File("big.bin", Pattern(200000, 1)).File("after.txt", "after").ZeroSlots(2);
    TempFile backup(w.Bytes());
    TempDir dir;
    ToolSetup limited;
    limited.fileSizeLimit = 100000;
    const auto r = RunRecover({"extract", backup.Path(), dir.Path()}, limited);

    EXPECT_EQ(r.status, 2) << Describe(r);
    EXPECT_NE(r.err.find("d/big.bin: write failed after 100000 of 200000 bytes (File too large): "
                         "kept as big.bin.partial\n"),
              std::string::npos)
        << r.err;
    const std::string folder = dir.Child("Recovered BKF/BKF/BACKUP SET 1(_Daily)/d/");
    EXPECT_EQ(TreeOf(folder), (std::set<std::string>{"after.txt", "big.bin.partial"}));
    EXPECT_EQ(fs::file_size(folder + "big.bin.partial"), 100000u);
}

} // namespace
