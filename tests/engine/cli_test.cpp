// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-recover as a user runs it: the real binary, its stdout, stderr and
// exit status, over backups built by the test writer.

#include "bkf_writer.h"
#include "cli_tool.h"
#include "extraction_support.h"
#include "file_size_limit.h"
#include "mtf_date.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>

#include <fcntl.h>
#include <poll.h>
#include <sys/mount.h>
#include <sys/stat.h>

namespace {

using namespace extraction_test;

Tool::Result RunTool(const std::vector<std::string>& args, const std::string& stdoutFile = {})
{
    ToolSetup setup;
    setup.stdoutFile = stdoutFile;
    return RunRecover(args, setup);
}

const std::string kSet = "BKF/BACKUP SET 1(_Daily)";

// A small backup: files in a folder, one without a data location, one
// whose name holds a quote, one above 64 KiB, one at the set's root.
struct SampleBackup {
    Bytes notepad{'M', 'Z', 0x90, 0, 3};
    Bytes big = Pattern(3 * 65536 + 11, 5);
    std::string quoted = "quoted";
    std::size_t notepadAt = 0, bigAt = 0, quotedAt = 0;
    std::unique_ptr<TempFile> file;

    SampleBackup()
    {
        BkfWriter w;
        w.Sset("Daily").Dirb({"WINDOWS", "system32"}).File("notepad.exe", notepad);
        notepadAt = w.LastFile().data;
        w.File("nostan.txt", "lost", FileOptions().NoStan());
        w.File("big.bin", big);
        bigAt = w.LastFile().data;
        w.Dirb({}).File("say \"hi\" 日本.txt", quoted);
        quotedAt = w.LastFile().data;
        w.ZeroSlots(2);
        file = std::make_unique<TempFile>(w.Bytes());
    }
    const std::string& Path() const { return file->Path(); }
};

// A backup whose every row has a data location.
std::unique_ptr<TempFile> CleanBackup(std::map<std::string, Bytes>& contents)
{
    contents = {
        {"a.txt", Pattern(10, 1)},
        {"docs/b.txt", Pattern(70000, 2)},
        {"docs/deep/c.txt", Pattern(3, 3)},
        {"docs/d.log", Pattern(0, 4)},
    };
    BkfWriter w;
    w.Sset("Daily").Dirb({}).File("a.txt", contents["a.txt"]);
    w.Dirb({"docs"}).File("b.txt", contents["docs/b.txt"]).File("d.log", contents["docs/d.log"]);
    w.Dirb({"docs", "deep"}).File("c.txt", contents["docs/deep/c.txt"]).ZeroSlots(2);
    return std::make_unique<TempFile>(w.Bytes());
}

// The files (not folders) below `root`, relative.
std::set<std::string> FilesBelow(const std::string& root)
{
    std::set<std::string> files;
    for (const std::string& entry : TreeOf(root)) {
        if (entry.back() != '/')
            files.insert(entry);
    }
    return files;
}

TEST(CliTest, ListPrintsSizeOffsetAndPathPerRowInCatalogueOrder)
{
    SampleBackup backup;
    const auto r = RunTool({"list", backup.Path()});
    ASSERT_EQ(r.status, 0) << Describe(r);
    EXPECT_TRUE(IsSummary(r.err, "4 files in 1 set found in ")) << r.err;
    EXPECT_EQ(Lines(r.out), (std::vector<std::string>{
                                "5\t" + std::to_string(backup.notepadAt) + "\t" + kSet + "/WINDOWS/system32/notepad.exe",
                                "\t\t" + kSet + "/WINDOWS/system32/nostan.txt",
                                "196619\t" + std::to_string(backup.bigAt) + "\t" + kSet + "/WINDOWS/system32/big.bin",
                                "6\t" + std::to_string(backup.quotedAt) + "\t" + kSet + "/say \"hi\" 日本.txt",
                            }));
}

// The "\" of a catalogue path is always written as "/", so of the
// characters JSON escapes only the quote can reach a path.
TEST(CliTest, ListJsonPrintsOneObjectPerLineWithNullForUnlocatedRows)
{
    SampleBackup backup;
    const auto r = RunTool({"list", backup.Path(), "--json"});
    ASSERT_EQ(r.status, 0) << Describe(r);
    EXPECT_TRUE(IsSummary(r.err, "4 files in 1 set found in ")) << r.err;
    const auto object = [](const std::string& path, const std::string& size, const std::string& offset) {
        return "{\"path\": \"" + path + "\", \"size\": " + size + ", \"offset\": " + offset
            + ", \"status\": \"" + (size == "null" ? "no data" : "no checksum") + "\"}";
    };
    EXPECT_EQ(Lines(r.out),
              (std::vector<std::string>{
                  object(kSet + "/WINDOWS/system32/notepad.exe", "5", std::to_string(backup.notepadAt)),
                  object(kSet + "/WINDOWS/system32/nostan.txt", "null", "null"),
                  object(kSet + "/WINDOWS/system32/big.bin", "196619", std::to_string(backup.bigAt)),
                  object(kSet + "/say \\\"hi\\\" 日本.txt", "6", std::to_string(backup.quotedAt)),
              }));
}

// U+2028 and U+2029 break lines for JavaScript and many line readers: a
// name's are printed escaped in both forms.
TEST(CliTest, ListEscapesLineSeparatorsInNames)
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"a\u2029b"}).File("x\u2028y.txt", "data").ZeroSlots(2);
    TempFile file(w.Bytes());
    const std::string path = kSet + R"(/a\u2029b/x\u2028y.txt)";
    for (const char* form : {"", "--json"}) {
        SCOPED_TRACE(form);
        std::vector<std::string> args = {"list", file.Path()};
        if (*form != '\0')
            args.push_back(form);
        const auto r = RunTool(args);
        ASSERT_EQ(r.status, 0) << Describe(r);
        EXPECT_NE(r.out.find(path), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("\xE2"), std::string::npos) << "no line separator printed raw";
    }
}

TEST(CliTest, ListAndExtractOfABackupWithoutDataExitThree)
{
    struct Case {
        const char* why;
        Bytes bytes;
    };
    const Case cases[] = {
        {"empty file", {}},
        {"one slot of zeros", Bytes(512, 0)},
        {"a megabyte of zeros", Bytes(1 << 20, 0)},
        {"patterned garbage", Pattern(300000, 9)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TempFile file(c.bytes);
        TempDir dir;
        const auto list = RunTool({"list", file.Path()});
        EXPECT_EQ(list.status, 3) << Describe(list);
        EXPECT_EQ(list.out, "");
        // The scan searched off the grid too: no hint at a deep scan; bytes
        // other than zeros are said to hold no file that could be read.
        const bool garbage = c.bytes.size() == 300000;
        const std::string unread = "bkf-recover: scan report: 293.0 KiB (100 %) of the backup hold no file that could be read\n";
        EXPECT_EQ(list.err, (garbage ? unread : "") + "bkf-recover: " + file.Path() + ": No data found in backup file\n");
        const auto json = RunTool({"list", "--json", file.Path()});
        EXPECT_EQ(json.status, 3) << Describe(json);
        EXPECT_EQ(json.out, "");
        const auto extract = RunTool({"extract", file.Path(), dir.Child("dest")});
        EXPECT_EQ(extract.status, 3) << Describe(extract);
        EXPECT_EQ(extract.out, "");
        EXPECT_NE(extract.err.find("No data found in backup file"), std::string::npos) << Describe(extract);
        EXPECT_FALSE(fs::exists(dir.Child("dest"))) << "nothing is made for an empty backup";
    }
}

// Fault: a backup whose only file blocks were passed over although their
// checksums held ended with "No data found in backup file", exit 3.
TEST(CliTest, BackupWhoseOnlyFilesWerePassedOverSaysWhatWasPassedOver)
{
    const std::string folder = Repeat("a", 250);
    struct Case {
        TapeString name;
        std::vector<TapeString> folders;
        std::string detail;
    };
    const Case cases[] = {
        {"", {"d"}, "  file blocks with an empty name: 1 (1 with a valid checksum)"},
        {"f.txt", {folder, folder, folder, folder, folder}, "  file blocks with a path over "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.detail);
        BkfWriter w;
        w.Sset("Daily").Dirb(c.folders).File(c.name, "data").ZeroSlots(2);
        TempFile backup(w.Bytes());
        TempDir dir;
        for (const auto& args : {std::vector<std::string>{"extract", backup.Path(), dir.Child("dest")},
                                 std::vector<std::string>{"list", backup.Path()}}) {
            const auto r = RunTool(args);
            EXPECT_EQ(r.status, 2) << Describe(r);
            EXPECT_NE(r.err.find("bkf-recover: scan report: 1 file block passed over (1 with a valid checksum)\n"
                                 + c.detail),
                      std::string::npos)
                << r.err;
            EXPECT_EQ(r.err.find("No data found"), std::string::npos) << r.err;
        }
        EXPECT_FALSE(fs::exists(dir.Child("dest")));
    }
}

// The scan and the one-pass save read on the calling thread: bkf-recover
// works where no thread can be had (a process limit reached).
TEST(CliTest, RunsWithoutAnyThread)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run the tool as another user";
    TempDir dir;
    fs::permissions(dir.Path(), fs::perms::all);
    const std::string backup = dir.Child("small.bkf");
    BkfWriter w;
    w.Sset("Daily").Dirb({"d"}).File("a.txt", "alpha").PadTo(4 << 20);
    WriteFileBytes(backup, w.Bytes());
    fs::permissions(backup, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ToolSetup setup;
    setup.noThreads = true;
    setup.environment = {"ASAN_OPTIONS=detect_leaks=0"}; // the leak check needs a thread of its own
    for (const std::vector<std::string>& args : {std::vector<std::string>{"list", backup},
                                                 std::vector<std::string>{"extract", backup, dir.Child("dest")}}) {
        SCOPED_TRACE(args[0]);
        const auto r = RunRecover(args, setup);
        EXPECT_EQ(r.status, 0) << Describe(r);
    }
    EXPECT_TRUE(fs::exists(dir.Child("dest") + "/Recovered BKF/BKF/BACKUP SET 1(_Daily)/d/a.txt"));
}

TEST(CliTest, BackupThatCannotBeOpenedExitsOneNamingTheFile)
{
    TempDir dir;
    fs::create_directory(dir.Child("a folder"));
    struct Case {
        std::string path;
        std::string reason;
    };
    const Case cases[] = {
        {dir.Child("missing.bkf"), "No such file or directory"},
        {dir.Child("a folder"), "Is a directory"},
        {dir.Child("missing/below.bkf"), "No such file or directory"},
    };
    for (const Case& c : cases) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"list", c.path}, std::vector<std::string>{"extract", c.path, dir.Child("d")}}) {
            SCOPED_TRACE(args[0] + " " + c.path);
            const auto r = RunTool(args);
            EXPECT_EQ(r.status, 1) << Describe(r);
            EXPECT_EQ(r.out, "");
            EXPECT_NE(r.err.find(c.path), std::string::npos) << r.err;
            EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
        }
    }
    EXPECT_FALSE(fs::exists(dir.Child("d")));
}

TEST(CliTest, BadArgumentsExitOneWithOneLineAndAPointerToHelp)
{
    SampleBackup backup;
    TempDir dir;
    const std::string b = backup.Path();
    const std::string d = dir.Child("dest");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"list"},
        {"list", b, b},
        {"extract", b},
        {"frobnicate", b},
        {"list", b, "--bogus"},
        {"list", b, "-x"},
        {"list", b, "--prefix", "P"},
        {"list", b, "--include", "*"},
        {"list", b, "--exclude", "*"},
        {"extract", b, d, "--json"},
        {"extract", b, d, "--prefix"},
        {"extract", b, d, "--include"},
        {"--json"},
        {"extract", b, d, "--prefix=."},
        {"extract", b, d, "--prefix", ".."},
        {"extract", b, d, "--prefix=a\tb"},
        {"list", b, "--json=3"},
        {"list", ""},
        {"extract", b, ""}, // an empty DEST once meant "/"
    };
    for (const auto& args : cases) {
        std::string line;
        for (const auto& arg : args)
            line += arg + " ";
        SCOPED_TRACE(line);
        const auto r = RunTool(args);
        EXPECT_EQ(r.status, 1) << Describe(r);
        EXPECT_EQ(r.out, "");
        ASSERT_EQ(Lines(r.err).size(), 2u) << r.err;
        EXPECT_EQ(r.err.rfind("bkf-recover: ", 0), 0u) << r.err;
        EXPECT_EQ(Lines(r.err)[1], "Try 'bkf-recover --help' for more information.");
    }
    EXPECT_FALSE(fs::exists(d));
}

TEST(CliTest, HelpAndVersionExitZeroOnStdout)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--help"}, "Usage: bkf-recover list [OPTION]... BACKUP"},
        {{"-h"}, "Usage: bkf-recover list [OPTION]... BACKUP"},
        {{"list", "--help"}, "Usage: bkf-recover list [OPTION]... BACKUP"},
        {{"list", "-qh"}, "Usage: bkf-recover list [OPTION]... BACKUP"},
        {{"extract", "x", "--help"}, "Usage: bkf-recover extract [OPTION]... BACKUP DEST"},
        {{"--version"}, "bkf-recover (Brevant Veltra BKF) "},
    };
    for (const auto& [args, start] : cases) {
        SCOPED_TRACE(args.back());
        const auto r = RunTool(args);
        EXPECT_EQ(r.status, 0) << Describe(r);
        EXPECT_EQ(r.out.rfind(start, 0), 0u) << r.out;
        EXPECT_EQ(r.err, "");
        for (const std::string& line : Lines(r.out))
            EXPECT_LE(line.size(), 80u) << line;
    }
    EXPECT_NE(RunTool({"--version"}).out.find("GPLv3+"), std::string::npos);
}

TEST(CliTest, DebugTraceGoesToStderrNeverStdout)
{
    SampleBackup backup;
    const auto quiet = RunTool({"list", backup.Path(), "-q"});
    EXPECT_EQ(quiet.err, "");
    const auto loud = RunTool({"list", "--debug", backup.Path()});
    EXPECT_EQ(loud.status, 0) << Describe(loud);
    EXPECT_EQ(loud.out, quiet.out);
    EXPECT_NE(loud.err.find("Set 1:"), std::string::npos) << loud.err;

    TempDir dir;
    const auto extract = RunTool({"extract", backup.Path(), dir.Path(), "--debug", "--exclude", "nostan.txt"});
    EXPECT_EQ(extract.status, 0) << Describe(extract);
    EXPECT_EQ(extract.out, dir.Child("Recovered BKF") + "\n");
    EXPECT_NE(extract.err.find("Set 1:"), std::string::npos) << extract.err;
}

TEST(CliTest, ListThatCannotWriteItsOutputExitsOne)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    SampleBackup backup;
    const auto r = RunTool({"list", backup.Path()}, "/dev/full");
    EXPECT_EQ(r.status, 1) << Describe(r);
    EXPECT_EQ(r.err, "bkf-recover: write error: No space left on device\n");
}

TEST(CliTest, ExtractSavesEveryFileByteForByteAndPrintsTheRoot)
{
    std::map<std::string, Bytes> contents;
    const auto backup = CleanBackup(contents);
    TempDir dir;
    const std::string dest = dir.Child("new/nested/dest"); // missing: made
    const auto r = RunTool({"extract", backup->Path(), dest});
    ASSERT_EQ(r.status, 0) << Describe(r);
    EXPECT_EQ(r.out, dest + "/Recovered BKF\n");
    EXPECT_TRUE(IsSummary(r.err, "4 files, 68.4 KiB saved into " + dest + "/Recovered BKF in ")) << r.err;
    const std::string set = dest + "/Recovered BKF/BKF/BACKUP SET 1(_Daily)";
    std::set<std::string> expected;
    for (const auto& [path, bytes] : contents) {
        EXPECT_EQ(ReadFileBytes(set + "/" + path), bytes) << path;
        expected.insert("BKF/BACKUP SET 1(_Daily)/" + path);
    }
    EXPECT_EQ(FilesBelow(dest + "/Recovered BKF"), expected);

    const auto again = RunTool({"extract", backup->Path(), dest});
    ASSERT_EQ(again.status, 0) << Describe(again);
    EXPECT_EQ(again.out, dest + "/Recovered BKF1\n");
    EXPECT_EQ(FilesBelow(dest + "/Recovered BKF1"), expected);
    EXPECT_EQ(FilesBelow(dest + "/Recovered BKF"), expected) << "the first run's files are kept";
}

TEST(CliTest, PrefixNamesTheRootAndIsRefusedWhenNoFolderCanBearIt)
{
    std::map<std::string, Bytes> contents;
    const auto backup = CleanBackup(contents);
    for (const std::string prefix :
         {"", "a/b", "a\\b", "a|b", "a*", "a:b", "a?", "<a", "a>", "it's", "/", "../x", ".", "..", "a\nb", "\x7f"}) {
        SCOPED_TRACE("prefix \"" + prefix + "\"");
        TempDir dir;
        const auto r = RunTool({"extract", backup->Path(), dir.Child("dest"), "--prefix", prefix});
        EXPECT_EQ(r.status, 1) << Describe(r);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("prefix"), std::string::npos) << r.err;
        EXPECT_EQ(TreeOf(dir.Path()), std::set<std::string>{});
    }
    const std::pair<std::string, std::string> accepted[] = {
        {"My Files (old)", "My Files (old)"}, {"..x", "..x"}, {".x", ".x"}, {"-x", "-x"}, {"日本", "日本"}};
    for (const auto& [prefix, name] : accepted) {
        SCOPED_TRACE("prefix \"" + prefix + "\"");
        TempDir dir;
        const auto r = RunTool({"extract", backup->Path(), dir.Child("dest"), "--prefix", prefix});
        ASSERT_EQ(r.status, 0) << Describe(r);
        EXPECT_EQ(r.out, dir.Child("dest/" + name) + "\n");
        EXPECT_EQ(ReadFileBytes(dir.Child("dest/" + name + "/BKF/BACKUP SET 1(_Daily)/a.txt")), contents["a.txt"]);
        EXPECT_EQ(TreeOf(dir.Path()).count("dest/"), 1u);
        EXPECT_EQ(TreeOf(dir.Path()).size(), TreeOf(dir.Child("dest")).size() + 1) << "nothing beside DEST";
    }
}

// A pattern without "/" matches the file name in any folder, one with "/"
// the end of PATH at any depth, or from its start after a leading "/"; "\"
// separates folders too. Case is ignored unless --case-sensitive. An
// --include that matches nothing is named, exits 2 and makes no empty folder.
TEST(CliTest, IncludeAndExcludeChooseFilesByNameOrWholePath)
{
    std::map<std::string, Bytes> contents;
    const auto backup = CleanBackup(contents);
    struct Case {
        std::vector<std::string> options;
        std::set<std::string> files; // below the set folder
        int status = 0;
    };
    const std::string s = "BKF/BACKUP SET 1(_Daily)";
    const Case cases[] = {
        {{}, {"a.txt", "docs/b.txt", "docs/d.log", "docs/deep/c.txt"}},
        {{"--include", "*.txt"}, {"a.txt", "docs/b.txt", "docs/deep/c.txt"}},
        {{"--include", "*.TXT"}, {"a.txt", "docs/b.txt", "docs/deep/c.txt"}},
        {{"--include", "*.TXT", "--case-sensitive"}, {}, 2},
        {{"--include", "**.txt"}, {"a.txt", "docs/b.txt", "docs/deep/c.txt"}},
        {{"--include", "BKF/*/a.txt"}, {"a.txt"}},
        {{"--include", "bkf/*/*.txt"}, {"a.txt"}},                    // "*" stops at "/"
        {{"--include", "BKF/*/docs/?.txt"}, {"docs/b.txt"}},
        {{"--include", "BKF/*/docs/??.txt"}, {}, 2},
        {{"--include", "**/docs/*.txt"}, {"docs/b.txt"}},
        {{"--include", "**/docs/**"}, {"docs/b.txt", "docs/d.log", "docs/deep/c.txt"}},
        {{"--include", s + "/**/a.txt"}, {"a.txt"}},                  // "**/" stands for no folder too
        {{"--include", s + "/docs/**/b.txt"}, {"docs/b.txt"}},
        {{"--include", "[bc].txt"}, {"docs/b.txt", "docs/deep/c.txt"}},
        {{"--include", "[!b].txt"}, {"a.txt", "docs/deep/c.txt"}},
        {{"--include", "BKF"}, {}, 2},
        {{"--include", s}, {}, 2},                                    // a folder is not its files
        {{"--include", "a.txt", "--include", "d.log"}, {"a.txt", "docs/d.log"}},
        {{"--include", "a.txt", "--include", "none.txt"}, {"a.txt"}, 2},
        {{"--exclude", "**/deep/**"}, {"a.txt", "docs/b.txt", "docs/d.log"}},
        {{"--exclude", "deep"}, {"a.txt", "docs/b.txt", "docs/d.log", "docs/deep/c.txt"}},
        {{"--exclude", "*"}, {}},                                     // nothing chosen, nothing made
        {{"--include", "*.txt", "--exclude", "**/docs/*"}, {"a.txt", "docs/deep/c.txt"}},
        {{"--include", "**", "--exclude", "*.LOG", "--exclude", "a.*"}, {"docs/b.txt", "docs/deep/c.txt"}},
        // Patterns after DEST, as tar takes member names: the same as --include.
        {{"*.txt"}, {"a.txt", "docs/b.txt", "docs/deep/c.txt"}},
        {{"a.txt", "--include", "d.log"}, {"a.txt", "docs/d.log"}},
        {{"--exclude", "a.*", "*.txt", "none"}, {"docs/b.txt", "docs/deep/c.txt"}, 2},
        {{"docs/*.txt"}, {"docs/b.txt"}},                            // at any depth
        {{R"(docs\deep\*)"}, {"docs/deep/c.txt"}},
        {{"docs/"}, {"docs/b.txt", "docs/d.log", "docs/deep/c.txt"}},  // a folder: all below it
        {{"/" + s + "/*.txt"}, {"a.txt"}},                            // from the start of PATH
        {{"--include", "/docs/**"}, {}, 2},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const auto& option : c.options)
            line += option + " ";
        SCOPED_TRACE(line);
        TempDir dir;
        std::vector<std::string> args = {"extract", backup->Path(), dir.Path()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto r = RunTool(args);
        ASSERT_EQ(r.status, c.status) << Describe(r);
        std::set<std::string> expected;
        for (const auto& file : c.files) {
            expected.insert(s + "/" + file);
            EXPECT_EQ(ReadFileBytes(dir.Child("Recovered BKF/" + s + "/" + file)), contents[file]) << file;
        }
        EXPECT_EQ(FilesBelow(dir.Child("Recovered BKF")), expected);
        EXPECT_EQ(fs::exists(dir.Child("Recovered BKF")), !c.files.empty()) << "no empty output folder";
        EXPECT_EQ(r.err.find("matched no file") != std::string::npos, c.status == 2) << r.err;
    }
}

// A PATTERN or --include that chose nothing is named as it was given, quoted
// so that a shell reads it back the same.
TEST(CliTest, PatternThatMatchedNoFileIsNamedQuotedForTheShell)
{
    std::map<std::string, Bytes> contents;
    const auto backup = CleanBackup(contents);
    const struct {
        bool option;
        std::string pattern;
        std::string quoted;
    } cases[] = {
        {false, "Mary's Documents/**", R"('Mary'\''s Documents/**')"},
        {true, "Mary's*", R"(--include 'Mary'\''s*')"},
        {false, "a\tb\\c'\x01\xff*", R"($'a\tb\\c\'\x01\xff*')"},
        {false, "x\u2028y*", R"($'x\xe2\x80\xa8y*')"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.quoted);
        TempDir dir;
        std::vector<std::string> args = {"extract", "-q", backup->Path(), dir.Path()};
        if (c.option)
            args.push_back("--include");
        args.push_back(c.pattern);
        const auto r = RunTool(args);
        EXPECT_EQ(r.status, 2) << Describe(r);
        EXPECT_EQ(r.err, "bkf-recover: " + c.quoted + " matched no file\n");
        const std::string word = c.quoted.substr(c.option ? std::string("--include ").size() : 0);
        Tool shell("/bin/bash", {"-c", "printf %s " + word});
        ASSERT_TRUE(shell.Start());
        EXPECT_EQ(shell.Finish().out, c.pattern) << "read back by the shell";
    }
}

// Saved files get their recorded dates unless -m (--no-times) is given, as tar does.
TEST(CliTest, ExtractRestoresTheRecordedDatesByDefault)
{
    const std::uint64_t date = BkfWriter::Date(2010, 5, 6, 7, 8, 9);
    BkfWriter w;
    w.Sset("Daily").Dirb({"d"}).File("a.txt", "alpha", FileOptions().Modified(date)).ZeroSlots(2);
    TempFile backup(w.Bytes());
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{}, true}, {{"--times"}, true}, {{"-m"}, false}, {{"--no-times"}, false},
    };
    for (const auto& [options, dated] : cases) {
        SCOPED_TRACE(::testing::PrintToString(options));
        TempDir dir;
        std::vector<std::string> args = {"extract", backup.Path(), dir.Path()};
        args.insert(args.end(), options.begin(), options.end());
        const auto r = RunTool(args);
        ASSERT_EQ(r.status, 0) << Describe(r);
        EXPECT_TRUE(IsSummary(r.err, "1 file, 5 B saved into ")) << r.err;
        struct stat info {};
        ASSERT_EQ(::stat(dir.Child("Recovered BKF/" + kSet + "/d/a.txt").c_str(), &info), 0);
        EXPECT_EQ(info.st_mtime == *MtfDateSeconds(date), dated);
    }
}

// "?" and "[...]" step by character, not byte; case folds beyond ASCII.
TEST(CliTest, PatternsStepByCharacterAndIgnoreCaseBeyondAscii)
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"Ünï"}).File("日本.txt", "jp").File("Ärger.doc", "de").ZeroSlots(2);
    TempFile file(w.Bytes());
    const std::pair<std::string, std::string> cases[] = {
        {"??.txt", "Ünï/日本.txt"},
        {"[日]本.TXT", "Ünï/日本.txt"},
        {"ärger.DOC", "Ünï/Ärger.doc"},
        {"?rger.doc", "Ünï/Ärger.doc"},
        {"**/üNÏ/*.txt", "Ünï/日本.txt"},
    };
    for (const auto& [pattern, saved] : cases) {
        SCOPED_TRACE(pattern);
        TempDir dir;
        const auto r = RunTool({"extract", file.Path(), dir.Path(), "--include", pattern});
        EXPECT_EQ(r.status, 0) << Describe(r);
        EXPECT_EQ(FilesBelow(dir.Child("Recovered BKF")), std::set<std::string>{kSet + "/" + saved});
    }
}

TEST(CliTest, BackupEndingInsideAFileExitsTwoWithAReport)
{
    const Bytes data = Pattern(5000, 21);
    BkfWriter w;
    w.Sset("Daily").Dirb({"d"}).File("whole.txt", "complete").File("cut.bin", data);
    const std::size_t dataAt = w.LastFile().data;
    const std::size_t end = w.LastBlock() + 1024; // the FILE block is whole, its data are not
    w.Truncate(end);
    TempFile file(w.Bytes());
    TempDir dir;
    const auto r = RunTool({"extract", file.Path(), dir.Path()});
    ASSERT_EQ(r.status, 2) << Describe(r);
    EXPECT_EQ(r.out, dir.Child("Recovered BKF") + "\n");
    const std::string kept = std::to_string(end - dataAt);
    EXPECT_NE(r.err.find(kSet + "/d/cut.bin: cut short"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(kept + " of 5000 bytes"), std::string::npos) << r.err;
    const std::string summary =
        "bkf-recover: 1 file, " + std::to_string(8 + end - dataAt) + " B saved into " + dir.Child("Recovered BKF");
    EXPECT_NE(r.err.find("\n" + summary), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("; 1 of 2 files not saved completely"), std::string::npos) << r.err;
    EXPECT_EQ(Lines(r.err).back(), "bkf-recover: scan report: 1 file cut short") << r.err;
    const std::string set = dir.Child("Recovered BKF/" + kSet + "/d");
    EXPECT_EQ(ReadFileBytes(set + "/cut.bin"), Slice(data, 0, end - dataAt));
    const std::string complete = "complete";
    EXPECT_EQ(ReadFileBytes(set + "/whole.txt"), Bytes(complete.begin(), complete.end()));
}

TEST(CliTest, RowWithoutDataLocationExitsTwoWithNoDataFound)
{
    BkfWriter w;
    w.Sset("Daily").Dirb({}).File("nostan.txt", "lost", FileOptions().NoStan()).File("ok.txt", "ok").ZeroSlots(2);
    TempFile file(w.Bytes());
    TempDir dir;
    const auto r = RunTool({"extract", file.Path(), dir.Path()});
    ASSERT_EQ(r.status, 2) << Describe(r);
    EXPECT_NE(r.err.find(kSet + "/nostan.txt: no data found"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFileBytes(dir.Child("Recovered BKF/" + kSet + "/nostan.txt")), Bytes{});
    EXPECT_EQ(ReadFileBytes(dir.Child("Recovered BKF/" + kSet + "/ok.txt")), (Bytes{'o', 'k'}));
}

// Fault: a destination that is a file made the search for a free root name
// count for ever (every candidate "existed"), so extract hung.
TEST(CliTest, DestinationThatIsAFileExitsOneNamingIt)
{
    std::map<std::string, Bytes> contents;
    const auto backup = CleanBackup(contents);
    TempDir dir;
    WriteFileBytes(dir.Child("file"), {'x'});
    for (const std::string& dest : {dir.Child("file"), dir.Child("file/below")}) {
        SCOPED_TRACE(dest);
        Tool tool(BKF_RECOVER_PATH, {"extract", backup->Path(), dest});
        tool.Start();
        const auto r = tool.Finish(std::chrono::seconds(20));
        ASSERT_FALSE(r.timedOut) << "extract hung";
        EXPECT_EQ(r.status, 1) << Describe(r);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(dest), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("not a folder"), std::string::npos) << r.err;
    }
    EXPECT_EQ(TreeOf(dir.Path()), std::set<std::string>{"file"});
}

// Ctrl-C once the save has begun: the file being written is finished, the
// run ends with 130 and says so. The save may also win the race and end
// with 0; either way every file on disk is complete and no file is missing
// before the last one written.
TEST(CliTest, InterruptStopsAfterTheFileBeingWritten)
{
    constexpr std::size_t kFiles = 48;
    constexpr std::size_t kFileSize = 2 << 20;
    BkfWriter w;
    w.Sset("Daily").Dirb({"big"});
    std::vector<Bytes> data;
    for (std::size_t k = 0; k < kFiles; ++k) {
        data.push_back(Pattern(kFileSize, static_cast<std::uint32_t>(100 + k)));
        w.File("f" + std::to_string(100 + k), data.back());
    }
    w.ZeroSlots(2);
    TempFile file(w.Bytes());
    TempDir dir;
    const std::string root = dir.Child("Recovered BKF");

    Tool tool(BKF_RECOVER_PATH, {"extract", file.Path(), dir.Path()});
    tool.Start();
    // The first file appears once the save has begun, long after the handler is set.
    const std::string first = root + "/" + kSet + "/big/f100";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!fs::exists(first) && !tool.HasExited() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    if (!tool.HasExited())
        ::kill(tool.Pid(), SIGINT);
    const auto r = tool.Finish();
    ASSERT_FALSE(r.timedOut);
    ASSERT_TRUE(r.status == 130 || r.status == 0) << Describe(r);
    EXPECT_EQ(r.out, root + "\n");
    if (r.status == 130) {
        EXPECT_NE(r.err.find("interrupted"), std::string::npos) << r.err;
    } else {
        EXPECT_TRUE(IsSummary(r.err, "48 files, 96.0 MiB saved into ")) << r.err;
    }

    std::size_t present = 0;
    for (std::size_t k = 0; k < kFiles; ++k) {
        const auto saved = ReadFileBytes(root + "/" + kSet + "/big/f" + std::to_string(100 + k));
        if (!saved)
            break;
        ++present;
        EXPECT_TRUE(*saved == data[k]) << "file " << k << " is incomplete: " << saved->size() << " bytes";
    }
    EXPECT_EQ(FilesBelow(root).size(), present) << "files are saved in catalogue order, without gaps";
    if (r.status == 0) {
        EXPECT_EQ(present, kFiles);
    }
}

// A sparse backup of zeros: scanning it takes a while and finds nothing.
std::unique_ptr<TempDir> SparseBackup(std::string& path, std::uint64_t size)
{
    auto dir = std::make_unique<TempDir>();
    path = dir->Child("sparse.bkf");
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
    ::close(fd);
    return dir;
}

TEST(CliTest, InterruptDuringTheScanExits130AndSavesNothing)
{
    if (!BytesRead(::getpid()))
        GTEST_SKIP() << "no /proc/PID/io here";
    const FileSizeLimitLift lift; // a sparse backup of 8 GiB
    std::string backup;
    const auto holder = SparseBackup(backup, std::uint64_t{8} << 30);
    TempDir dir;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"list", backup}, std::vector<std::string>{"extract", backup, dir.Child("dest")}}) {
        SCOPED_TRACE(args[0]);
        Tool tool(BKF_RECOVER_PATH, args);
        tool.Start();
        // Once a megabyte of the backup has been read, the scan is under way.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!tool.HasExited() && BytesRead(tool.Pid()).value_or(0) < (1u << 20)
               && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        ASSERT_FALSE(tool.HasExited()) << "the scan ended before the signal";
        ::kill(tool.Pid(), SIGINT);
        const auto r = tool.Finish();
        EXPECT_EQ(r.status, 130) << Describe(r);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.find("No data found"), std::string::npos) << "an interrupted scan proves nothing: " << r.err;
    }
    EXPECT_FALSE(fs::exists(dir.Child("dest")));
}

// F4: the backup is opened for reading only, so a backup on a read-only
// mount (a CD, a write-protected disk) can be recovered.
TEST(CliTest, BackupOnAReadOnlyMountIsRecovered)
{
    std::map<std::string, Bytes> contents;
    const auto backup = CleanBackup(contents);
    TempDir mountPoint;
    if (::geteuid() != 0 || ::mount("tmpfs", mountPoint.Path().c_str(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
    struct Unmount {
        std::string at;
        ~Unmount()
        {
            if (::umount(at.c_str()) != 0)
                ::umount2(at.c_str(), MNT_DETACH);
        }
    } unmount{mountPoint.Path()};
    const std::string copy = mountPoint.Child("backup.bkf");
    fs::copy_file(backup->Path(), copy);
    ASSERT_EQ(::mount("tmpfs", mountPoint.Path().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=1m"), 0);
    ASSERT_LT(::open(copy.c_str(), O_RDWR | O_CLOEXEC), 0) << "the mount is not read-only";

    const auto list = RunTool({"list", copy});
    EXPECT_EQ(list.status, 0) << Describe(list);
    EXPECT_EQ(Lines(list.out).size(), contents.size());
    TempDir dest;
    const auto extract = RunTool({"extract", copy, dest.Path()});
    EXPECT_EQ(extract.status, 0) << Describe(extract);
    for (const auto& [path, bytes] : contents)
        EXPECT_EQ(ReadFileBytes(dest.Child("Recovered BKF/BKF/BACKUP SET 1(_Daily)/" + path)), bytes) << path;
}

// A progress line on stderr only when stderr is a terminal; stdout keeps
// nothing but the output root.
TEST(CliTest, ProgressIsDrawnOnATerminalOnly)
{
    std::map<std::string, Bytes> contents;
    const auto backup = CleanBackup(contents);
    TempDir dir;
    ToolSetup terminal;
    terminal.terminalStderr = true;
    Tool tool(BKF_RECOVER_PATH, {"extract", backup->Path(), dir.Path()}, terminal);
    tool.Start();
    const auto r = tool.Finish();
    ASSERT_EQ(r.status, 0) << Describe(r);
    EXPECT_EQ(r.out, dir.Child("Recovered BKF") + "\n");
    EXPECT_NE(r.err.find("Saving: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(" left"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("\r\033[Kbkf-recover: 4 files, 68.4 KiB saved"), std::string::npos)
        << "the line is cleared before the summary: " << r.err;

    Tool list(BKF_RECOVER_PATH, {"list", backup->Path()}, terminal);
    list.Start();
    const auto listed = list.Finish();
    EXPECT_EQ(listed.status, 0) << Describe(listed);
    EXPECT_EQ(Lines(listed.out).size(), 4u);
}

// NUL units in names: a FILE name ending in one, or holding two in a row, and
// a DIRB path with an empty component are normalised, not refused at the save.
TEST(CliTest, NamesWithNulUnitsAreNormalised)
{
    struct Case {
        const char* why;
        std::vector<TapeString> folder;
        std::vector<std::uint16_t> name;
        std::string listed;
        std::string other;
    };
    const Case cases[] = {
        {"two NULs inside a file name", {}, {'a', 0, 0, 'b'}, "a/b", "ok.txt"},
        {"a file name ending in a NUL", {"d"}, {'x', 0}, "d/x", "d/ok.txt"},
        {"an empty folder component", {"d", TapeString::Units({}), "e"}, {'y'}, "d/e/y", "d/e/ok.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w;
        w.Sset("Daily").Dirb(c.folder).File(TapeString::Units(c.name), "x").File("ok.txt", "ok").ZeroSlots(2);
        TempFile file(w.Bytes());
        TempDir dir;
        const auto listed = RunTool({"list", file.Path()});
        ASSERT_EQ(listed.status, 0) << Describe(listed);
        ASSERT_EQ(Lines(listed.out).size(), 2u) << listed.out;
        EXPECT_NE(Lines(listed.out)[0].find("\t" + kSet + "/" + c.listed), std::string::npos) << listed.out;
        const auto r = RunTool({"extract", file.Path(), dir.Path()});
        EXPECT_EQ(r.status, 0) << Describe(r);
        EXPECT_EQ(FilesBelow(dir.Child("Recovered BKF")),
                  (std::set<std::string>{kSet + "/" + c.listed, kSet + "/" + c.other}));
    }
}

// A FIFO as the backup hung list and extract forever in open().
TEST(CliTest, FifoAsTheBackupIsRefusedAtOnce)
{
    TempDir dir;
    const std::string fifo = dir.Child("backup.bkf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string command : {"list", "extract"}) {
        SCOPED_TRACE(command);
        const auto r = RunTool(command == "list" ? std::vector<std::string>{"list", fifo}
                                                 : std::vector<std::string>{"extract", fifo, dir.Child("d")});
        EXPECT_FALSE(r.timedOut);
        EXPECT_EQ(r.status, 1) << Describe(r);
        EXPECT_NE(r.err.find("Not a regular file"), std::string::npos) << r.err;
    }
}

// A verified FILE block that was passed over is a loss; a FILE tag inside
// file data is data, so an intact backup ends with 0 and no report.
TEST(CliTest, ExtractExitStatusFollowsTheScanReport)
{
    struct Case {
        const char* why;
        bool refusedName;
        bool tagInData;
        int status;
    };
    const Case cases[] = {
        {"intact", false, false, 0},
        {"a FILE tag inside file data", false, true, 0},
        {"a real file passed over", true, false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w;
        w.Sset("Daily").Dirb({"docs"}).File("a.txt", std::string(2048, 'a'));
        if (c.tagInData)
            w.Raw((w.LastFile().data / 512 + 1) * 512, "FILE");
        if (c.refusedName)
            w.File("a|b.txt", "x");
        TempFile backup(w.Bytes());
        TempDir dir;
        const auto r = RunTool({"extract", backup.Path(), dir.Path(), "--verbose"});
        EXPECT_EQ(r.status, c.status) << Describe(r);
        EXPECT_EQ(r.err.find("scan report") != std::string::npos, c.status != 0) << r.err;
    }
}

// What list and extract say of an intact, a cut-off and a garbled backup.
TEST(CliTest, ListAndExtractNameTheDamage)
{
    struct Case {
        const char* why;
        bool cut, garbled;
        std::string status;   // of big.bin in list --json
        std::string listDetail; // in list -v's stderr, "" for none
        std::string extractLine; // verify's line too
        std::string checked;     // big.bin's status in list --json after extract, and after verify
    };
    const Case cases[] = {
        {"intact", false, false, "not checked", "", "", "verified"},
        {"cut off inside a file", true, false, "cut short", R"(BKF\BACKUP SET 1(_Daily)\d\big.bin" (cut short: 1000 of 9000 bytes)",
         kSet + "/d/big.bin: cut short", "cut short"},
        {"garbled data", false, true, "not checked", "", kSet + "/d/big.bin: damaged", "damaged"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w;
        w.Sset("Daily").Dirb({"d"}).File("a.txt", "a").File("big.bin", Pattern(9000, 4), FileOptions().Checksum());
        if (c.garbled)
            w.FlipBytes(w.LastFile().data + 100, 4);
        if (c.cut)
            w.Truncate(w.LastFile().data + 1000);
        TempFile file(w.Bytes());
        const auto list = RunTool({"list", "-v", file.Path()});
        EXPECT_EQ(list.status, 0) << Describe(list);
        if (c.listDetail.empty()) {
            EXPECT_TRUE(IsSummary(list.err, "2 files in 1 set found in ")) << list.err;
        } else {
            EXPECT_NE(list.err.find(c.listDetail), std::string::npos) << list.err;
        }
        // The kept catalogue remembers what extract and verify found.
        const TempDir cache;
        ToolSetup kept;
        kept.environment = {"XDG_CACHE_HOME=" + cache.Path()};
        const auto stateIs = [&](const std::string& status, const ToolSetup& setup) {
            const std::string json = RunRecover({"list", "--json", file.Path()}, setup).out;
            EXPECT_NE(json.find("big.bin\", \"size\": 9000, \"offset\": " + std::to_string(w.LastFile().data)
                                + ", \"status\": \"" + status + "\"}"),
                      std::string::npos)
                << json;
        };
        stateIs(c.status, ToolSetup());
        TempDir dir;
        const auto extract = RunRecover({"extract", "-v", file.Path(), dir.Path()}, kept);
        EXPECT_EQ(extract.status, c.extractLine.empty() ? 0 : 2) << Describe(extract);
        EXPECT_NE(extract.err.find(kSet + "/d/a.txt: not checked"), std::string::npos) << "-v names every unchecked file";
        if (!c.extractLine.empty()) {
            EXPECT_NE(extract.err.find("bkf-recover: " + c.extractLine), std::string::npos) << extract.err;
        }
        stateIs(c.checked, kept);
        // verify names the same file.
        const auto verify = RunRecover({"verify", file.Path()}, kept);
        EXPECT_EQ(verify.status, c.extractLine.empty() ? 0 : 2) << Describe(verify);
        if (!c.extractLine.empty()) {
            EXPECT_NE(verify.err.find("bkf-recover: " + c.extractLine), std::string::npos) << verify.err;
        }
        stateIs(c.checked, kept);
    }
}

} // namespace
