// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-recover on a terminal: the progress line never mixes into the rows,
// fits the terminal's width, uses no control sequences where they are not
// understood, and follows --progress, --no-progress and -q.

#include "bkf_writer.h"
#include "cli_tool.h"
#include "extraction_support.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

using namespace extraction_test;

const std::string kSet = "BKF/BACKUP SET 1(_Daily)";
const std::string kClear = "\r\033[K";

// Rows in two 64 KiB windows, so the progress is drawn between them.
TempFile RowsInTwoWindows()
{
    BkfWriter w;
    w.Sset("Daily").Dirb({}).File("a.txt", "a").File("big.bin", Pattern(70000, 1)).File("c.txt", "c");
    w.File("d.txt", "d").ZeroSlots(2);
    return TempFile(w.Bytes());
}

std::string WithoutCarriageReturnBeforeNewline(std::string text)
{
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

TEST(CliTerminalTest, ListSharingTheTerminalClearsTheProgressBeforeEachRow)
{
    const TempFile backup = RowsInTwoWindows();
    ToolSetup shared;
    shared.terminalStderr = shared.terminalStdout = true;
    shared.columns = 40;
    shared.environment = {"TERM=xterm"};
    const auto r = RunRecover({"list", backup.Path()}, shared);
    ASSERT_EQ(r.status, 0) << Describe(r);
    const std::string screen = WithoutCarriageReturnBeforeNewline(r.err);
    ASSERT_NE(screen.find("Scanning"), std::string::npos) << screen;

    // Each row starts on a cleared line: after the line's last carriage
    // return comes "erase line" and then the row, or there is none at all.
    std::size_t rows = 0;
    for (const std::string& line : Lines(screen)) {
        if (line.find(kSet) == std::string::npos)
            continue;
        ++rows;
        const std::size_t lastReturn = line.rfind('\r');
        const std::string row = lastReturn == std::string::npos ? line : line.substr(lastReturn + kClear.size());
        if (lastReturn != std::string::npos) {
            EXPECT_EQ(line.compare(lastReturn, kClear.size(), kClear), 0) << "row drawn over the progress: " << line;
        }
        EXPECT_TRUE(std::regex_match(row, std::regex("[0-9]+\t[0-9]+\tBKF/[^\033]+"))) << row;
    }
    EXPECT_EQ(rows, 4u) << screen;
    const std::regex drawn("\r([^\r\n\033]*)\033\\[K");
    for (auto it = std::sregex_iterator(screen.begin(), screen.end(), drawn); it != std::sregex_iterator(); ++it)
        EXPECT_LE((*it)[1].length(), 39) << "wider than the terminal: " << (*it)[1];
}

TEST(CliTerminalTest, ProgressFollowsTheTerminalAndTheOptions)
{
    const TempFile backup = RowsInTwoWindows();
    struct Case {
        const char* why;
        bool terminal;
        const char* term;
        std::vector<std::string> options;
        bool progress, sequences, summary;
    };
    const Case cases[] = {
        {"terminal", true, "TERM=xterm", {}, true, true, true},
        {"dumb terminal", true, "TERM=dumb", {}, true, false, true},
        {"--no-progress", true, "TERM=xterm", {"--no-progress"}, false, false, true},
        {"-q", true, "TERM=xterm", {"-q"}, false, false, false},
        {"pipe", false, "TERM=xterm", {}, false, false, true},
        {"pipe with --progress", false, "TERM=xterm", {"--progress"}, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TempDir dir;
        ToolSetup setup;
        setup.terminalStderr = c.terminal;
        setup.environment = {c.term};
        std::vector<std::string> args = {"extract", backup.Path(), dir.Path()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto r = RunRecover(args, setup);
        ASSERT_EQ(r.status, 0) << Describe(r);
        EXPECT_EQ(r.out, dir.Child("Recovered BKF") + "\n");
        EXPECT_EQ(r.err.find("Saving: ") != std::string::npos, c.progress) << r.err;
        EXPECT_EQ(r.err.find("\033") != std::string::npos, c.sequences) << r.err;
        EXPECT_EQ(r.err.find("bkf-recover: 4 files, ") != std::string::npos, c.summary) << r.err;
    }
}

} // namespace
