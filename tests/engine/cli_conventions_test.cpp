// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-recover's command line as GNU tools have it: every form of an option,
// problems found before the scan, failed writes of the output noticed.

#include "bkf_writer.h"
#include "cli_tool.h"
#include "extraction_support.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <regex>

#include <sys/inotify.h>

#include <sys/mount.h>
#include <sys/stat.h>

namespace {

using namespace extraction_test;

const std::string kSetFolder = "BKF/BACKUP SET 1(_Daily)";

TempFile TwoFileBackup()
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"d"}).File("a.txt", "alpha").File("b.txt", "beta").ZeroSlots(2);
    return TempFile(w.Bytes());
}

TEST(CliConventionsTest, OptionsInEveryGnuFormGiveTheSameRun)
{
    const TempFile backup = TwoFileBackup();
    const std::vector<std::vector<std::string>> forms = {
        {"extract", "--prefix=P", "--quiet", "B", "D"},
        {"extract", "B", "D", "--prefix", "P", "-q"},
        {"extract", "-q", "--prefix", "P", "--", "B", "D"},
        {"extract", "-qv", "--prefix=P", "B", "D"},
    };
    for (std::vector<std::string> args : forms) {
        TempDir dir;
        for (std::string& arg : args)
            arg = arg == "B" ? backup.Path() : arg == "D" ? dir.Path() : arg;
        SCOPED_TRACE(args[1] + " " + args[2]);
        const auto r = RunRecover(args);
        ASSERT_EQ(r.status, 0) << Describe(r);
        const bool verbose = args[1] == "-qv";
        const std::string root = dir.Child("P");
        const std::vector<std::string> quietOut = {root};
        const std::vector<std::string> verboseOut = {kSetFolder + "/d/a.txt", kSetFolder + "/d/b.txt", root};
        EXPECT_EQ(Lines(r.out), verbose ? verboseOut : quietOut);
        EXPECT_EQ(ReadFileBytes(root + "/" + kSetFolder + "/d/b.txt"), (Bytes{'b', 'e', 't', 'a'}));
        EXPECT_EQ(r.err, "") << "quiet: no summary";
    }
}

// The scan reads by position: standard input, a pipe or a device cannot be
// scanned, and a pipe must not leave the tool waiting for a writer.
TEST(CliConventionsTest, BackupThatCannotBeSeekedIsRefusedAtOnce)
{
    TempDir dir;
    const std::string fifo = dir.Child("pipe.bkf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& backup : {std::string("-"), fifo, std::string("/dev/null")}) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"list", backup}, std::vector<std::string>{"extract", backup, dir.Child("d")}}) {
            SCOPED_TRACE(args[0] + " " + backup);
            const auto r = RunRecover(args);
            EXPECT_EQ(r.status, 1) << Describe(r);
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err.rfind("bkf-recover: " + backup + ": ", 0), 0u) << r.err;
            EXPECT_NE(r.err.find("the scan needs a file it can seek in"), std::string::npos) << r.err;
            EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
        }
    }
    EXPECT_FALSE(fs::exists(dir.Child("d")));
}

// DEST is checked before the backup is read: with a backup of zeros, which
// would exit 3 after its scan, an unusable DEST exits 1 naming it, and
// nothing is left behind.
TEST(CliConventionsTest, UnusableDestinationIsReportedBeforeTheScan)
{
    TempFile zeros(Bytes(1 << 20, 0));
    TempDir dir;
    WriteFileBytes(dir.Child("file"), {'x'});
    fs::create_directory(dir.Child("ro"));
    const bool readOnly = ::geteuid() == 0
                          && ::mount("tmpfs", dir.Child("ro").c_str(), "tmpfs", MS_RDONLY, "size=64k") == 0;
    struct Case {
        std::string dest;
        std::string problem;
    };
    std::vector<Case> cases = {
        {dir.Child("file"), ": not a folder"},
        {dir.Child("file/below/more"), ": " + dir.Child("file") + " is not a folder"},
    };
    if (readOnly) {
        cases.push_back({dir.Child("ro"), ": cannot create a file in " + dir.Child("ro") + ": Read-only file system"});
        cases.push_back({dir.Child("ro/new"), ": cannot create a folder in " + dir.Child("ro") + ": Read-only"});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dest);
        const auto r = RunRecover({"extract", zeros.Path(), c.dest});
        EXPECT_EQ(r.status, 1) << Describe(r);
        EXPECT_EQ(r.err.rfind("bkf-recover: " + c.dest + c.problem, 0), 0u) << r.err;
    }
    if (readOnly)
        ::umount(dir.Child("ro").c_str());
    EXPECT_EQ(TreeOf(dir.Path()), (std::set<std::string>{"file", "ro/"}));
}

// The names created directly in `folder` while `run` runs.
std::set<std::string> NamesCreatedIn(const std::string& folder, const std::function<void()>& run)
{
    const int watch = ::inotify_init1(IN_NONBLOCK);
    EXPECT_GE(::inotify_add_watch(watch, folder.c_str(), IN_CREATE), 0);
    run();
    std::set<std::string> names;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t got; (got = ::read(watch, buffer, sizeof buffer)) > 0;) {
        for (char* at = buffer; at < buffer + got; at += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(at)->len)
            names.insert(reinterpret_cast<inotify_event*>(at)->name);
    }
    ::close(watch);
    return names;
}

// Fault: a DEST that did not exist yet was checked by creating a file in its
// nearest existing parent, a write outside DEST. Now DEST is made first, the
// check is made inside it, and what was made goes again when nothing is saved.
TEST(CliConventionsTest, MissingDestinationIsMadeFirstAndRemovedWhenNothingIsSaved)
{
    const TempFile zeros(Bytes(1 << 20, 0));
    const TempFile backup = TwoFileBackup();
    struct Case {
        std::string backup;
        int status;
        std::string saved; // a file the run saved; none: nothing is left
    };
    const Case cases[] = {
        {zeros.Path(), 3, ""},
        {backup.Path(), 0, "new/dest/Recovered BKF/" + kSetFolder + "/d/a.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.backup);
        TempDir dir;
        Tool::Result r;
        const auto created = NamesCreatedIn(dir.Path(), [&] { r = RunRecover({"extract", c.backup, dir.Child("new/dest")}); });
        EXPECT_EQ(r.status, c.status) << Describe(r);
        EXPECT_EQ(created, std::set<std::string>{"new"}) << "nothing but DEST's own folders beside DEST";
        if (c.saved.empty())
            EXPECT_TRUE(TreeOf(dir.Path()).empty());
        else
            EXPECT_TRUE(fs::exists(dir.Child(c.saved)));
    }
}

TEST(CliConventionsTest, FailedWriteOfTheOutputFolderLineExitsOne)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    const TempFile backup = TwoFileBackup();
    TempDir dir;
    ToolSetup full;
    full.stdoutFile = "/dev/full";
    const auto r = RunRecover({"extract", backup.Path(), dir.Path(), "-q"}, full);
    EXPECT_EQ(r.status, 1) << Describe(r);
    EXPECT_EQ(r.err, "bkf-recover: write error: No space left on device\n");
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The man page and the bash completion know every option that --help shows.
TEST(CliConventionsTest, ManPageAndCompletionKnowEveryOption)
{
    const std::string man = FileText(BKF_SOURCE_DIR "/man/bkf-recover.1");
    const std::string completion = FileText(BKF_SOURCE_DIR "/completion/bkf-recover.bash");
    ASSERT_FALSE(man.empty() || completion.empty());
    const std::regex option("--([a-z][a-z-]*)");
    for (const std::string command : {"list", "extract"}) {
        const std::string help = RunRecover({command, "--help"}).out;
        ASSERT_NE(help.find("--quiet"), std::string::npos) << help;
        for (auto it = std::sregex_iterator(help.begin(), help.end(), option); it != std::sregex_iterator(); ++it) {
            const std::string name = (*it)[1];
            SCOPED_TRACE(command + " --" + name);
            std::string roff = "\\-\\-";
            for (const char c : name)
                roff += c == '-' ? std::string("\\-") : std::string(1, c);
            EXPECT_NE(man.find(roff), std::string::npos);
            EXPECT_NE(completion.find("--" + name), std::string::npos);
        }
    }
}

} // namespace
