// SPDX-License-Identifier: GPL-3.0-or-later
// The output root and the files below it: folder chains, the root's name,
// a destination that cannot hold a folder, and exclusive file creation.

#include "bkf_writer.h"
#include "extraction_support.h"
#include "file_system.h"
#include "output_root.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <cstring>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using namespace extraction_test;

std::optional<OutputRoot> MakeRoot(const std::string& destination, const std::string& prefix = "Recovered BKF")
{
    std::string why;
    auto root = OutputRoot::Create(destination, prefix, &why);
    EXPECT_TRUE(root) << why;
    return root;
}

bool WriteText(OutputFile& file, const std::string& text)
{
    std::string why;
    std::size_t written = 0;
    return file.Write(text.data(), text.size(), written, &why) && file.Close(&why);
}

TEST(OutputRootTest, CreateFolderChainMakesEveryFolderButTheLastName)
{
    struct Case {
        const char* why;
        std::string path; // relative to the temp folder
        std::set<std::string> tree;
    };
    const Case cases[] = {
        {"trailing separator: every component is a folder", "a/b/c/", {"a/", "a/b/", "a/b/c/"}},
        {"the part after the last separator is never made", "a/b/file.txt", {"a/", "a/b/"}},
        {"a single name makes nothing", "name", {}},
        {"doubled separators", "a//b/", {"a/", "a/b/"}},
        // Fault: "\" was taken for a separator here too, so "back\slash/" also made a stray "back".
        {"a backslash is an ordinary character", "back\\slash/", {"back\\slash/"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TempDir dir;
        std::string why;
        EXPECT_TRUE(CreateFolderChain(dir.Path() + "/" + c.path, &why)) << why;
        EXPECT_EQ(TreeOf(dir.Path()), c.tree);
    }
}

TEST(OutputRootTest, CreateFolderChainKeepsWhatExists)
{
    TempDir dir;
    fs::create_directories(dir.Child("a/b"));
    WriteFileBytes(dir.Child("a/b/keep.txt"), {'k'});
    std::string why;
    ASSERT_TRUE(CreateFolderChain(dir.Child("a/b/c/"), &why)) << why;
    EXPECT_EQ(TreeOf(dir.Path()), (std::set<std::string>{"a/", "a/b/", "a/b/keep.txt", "a/b/c/"}));
    EXPECT_EQ(ReadFileBytes(dir.Child("a/b/keep.txt")), Bytes{'k'});
}

// Fault: a file standing where a folder of the chain belongs was taken for
// that folder, so the chain "succeeded" and what followed failed far from the
// cause (or, for the output root, searched for a free name forever).
TEST(OutputRootTest, CreateFolderChainFailsWhereAFileStandsInTheWay)
{
    TempDir dir;
    WriteFileBytes(dir.Child("file"), {'x'});
    for (const std::string& path : {dir.Child("file/"), dir.Child("file/sub/"), dir.Child("file/sub/name")}) {
        SCOPED_TRACE(path);
        std::string why;
        EXPECT_FALSE(CreateFolderChain(path, &why));
        EXPECT_FALSE(why.empty());
    }
    EXPECT_EQ(ReadFileBytes(dir.Child("file")), Bytes{'x'});
}

TEST(OutputRootTest, CreateMakesAMissingDestinationAndTheRootBelowIt)
{
    TempDir dir;
    const std::string destination = dir.Child("not/there/yet");
    auto root = MakeRoot(destination);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->Path(), destination + "/Recovered BKF");
    EXPECT_TRUE(fs::is_directory(root->Path()));
    EXPECT_TRUE(fs::is_empty(root->Path()));
}

// The destination is the user's choice: a link to a folder is followed there.
TEST(OutputRootTest, DestinationReachedThroughALinkIsUsed)
{
    TempDir dir;
    fs::create_directory(dir.Child("real"));
    fs::create_directory_symlink(dir.Child("real"), dir.Child("link"));
    for (const std::string& destination : {dir.Child("link"), dir.Child("link/sub")}) {
        SCOPED_TRACE(destination);
        auto root = MakeRoot(destination);
        ASSERT_TRUE(root);
        EXPECT_EQ(root->Path(), destination + "/Recovered BKF");
    }
    EXPECT_TRUE(fs::is_directory(dir.Child("real/Recovered BKF")));
    EXPECT_TRUE(fs::is_directory(dir.Child("real/sub/Recovered BKF")));
}

TEST(OutputRootTest, CreateAcceptsADestinationWithATrailingSeparator)
{
    TempDir dir;
    auto root = MakeRoot(dir.Path() + "/", "Rescue");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->Path(), dir.Path() + "/Rescue");
}

TEST(OutputRootTest, CreateTakesTheFirstNameOfWhichNothingExists)
{
    struct Case {
        const char* why;
        std::vector<std::string> files, folders, links; // present beforehand
        std::string expected;
    };
    const Case cases[] = {
        {"nothing there", {}, {}, {}, "P"},
        {"a folder", {}, {"P"}, {}, "P1"},
        {"a file", {"P"}, {}, {}, "P1"},
        {"a dangling link", {}, {}, {"P"}, "P1"},
        {"a file and a folder", {"P"}, {"P1"}, {}, "P2"},
        {"a gap: P2 is free", {}, {"P", "P1", "P3"}, {}, "P2"},
        {"names are not padded", {}, {"P", "P1", "P2", "P3", "P4", "P5", "P6", "P7", "P8", "P9"}, {}, "P10"},
        {"a longer name of the same start does not count", {}, {"Px", "P 1"}, {}, "P"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TempDir dir;
        for (const auto& name : c.files)
            WriteFileBytes(dir.Child(name), {'f'});
        for (const auto& name : c.folders)
            fs::create_directory(dir.Child(name));
        for (const auto& name : c.links)
            fs::create_symlink(dir.Child("missing-target"), dir.Child(name));
        const auto before = TreeOf(dir.Path());
        auto root = MakeRoot(dir.Path(), "P");
        ASSERT_TRUE(root);
        EXPECT_EQ(root->Path(), dir.Child(c.expected));
        auto after = TreeOf(dir.Path());
        EXPECT_EQ(after.erase(c.expected + "/"), 1u);
        EXPECT_EQ(after, before) << "something that existed was changed";
        for (const auto& name : c.files)
            EXPECT_EQ(ReadFileBytes(dir.Child(name)), Bytes{'f'});
    }
}

TEST(OutputRootTest, EachCreateMakesANewRoot)
{
    TempDir dir;
    auto first = MakeRoot(dir.Path());
    auto second = MakeRoot(dir.Path());
    auto third = MakeRoot(dir.Path());
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(first->Path(), dir.Child("Recovered BKF"));
    EXPECT_EQ(second->Path(), dir.Child("Recovered BKF1"));
    EXPECT_EQ(third->Path(), dir.Child("Recovered BKF2"));
}

// Fault: with a file as destination every candidate name "existed" (its
// lookup failed with "not a folder"), so Create counted up for ever. A link
// to nothing is no folder either.
TEST(OutputRootTest, DestinationThatIsAFileFailsWithAReason)
{
    TempDir dir;
    WriteFileBytes(dir.Child("file"), {'x'});
    fs::create_symlink(dir.Child("missing"), dir.Child("dangling"));
    for (const std::string& destination : {dir.Child("file"), dir.Child("file/below"), dir.Child("dangling")}) {
        SCOPED_TRACE(destination);
        const auto status = RunInChild([&] {
            std::string why;
            const auto root = OutputRoot::Create(destination, "Recovered BKF", &why);
            if (root)
                return 10;
            return why.empty() ? 11 : 0;
        }, std::chrono::seconds(10));
        ASSERT_TRUE(status) << "Create hung or crashed";
        EXPECT_EQ(*status, 0) << "10: a root was made, 11: no reason given";
    }
    EXPECT_EQ(TreeOf(dir.Path()), (std::set<std::string>{"file", "dangling@"}));
    EXPECT_EQ(ReadFileBytes(dir.Child("file")), Bytes{'x'});
}

TEST(OutputRootTest, CreateFileMakesTheFoldersAndAnExclusiveFile)
{
    TempDir dir;
    auto root = MakeRoot(dir.Path());
    ASSERT_TRUE(root);
    std::string why;
    auto file = root->CreateFile({"BKF", "SET", "dir", "a.txt"}, &why);
    ASSERT_TRUE(file) << why;
    EXPECT_TRUE(file->IsOpen());
    ASSERT_TRUE(WriteText(*file, "first"));
    EXPECT_FALSE(file->IsOpen());

    std::vector<std::string> savedAs;
    auto again = root->CreateFile({"BKF", "SET", "dir", "a.txt"}, &why, &savedAs);
    ASSERT_TRUE(again) << why;
    EXPECT_EQ(savedAs, (std::vector<std::string>{"BKF", "SET", "dir", "a (2).txt"}));
    EXPECT_EQ(ReadFileBytes(root->Path() + "/BKF/SET/dir/a.txt"), (Bytes{'f', 'i', 'r', 's', 't'}));
}

TEST(OutputRootTest, CreateFileNeverOverwritesAnythingThatExists)
{
    TempDir dir;
    auto root = MakeRoot(dir.Path());
    ASSERT_TRUE(root);
    fs::create_directories(root->Path() + "/BKF/folder");
    WriteFileBytes(root->Path() + "/BKF/file", {'o', 'l', 'd'});
    for (const std::string name : {"file", "folder"}) {
        SCOPED_TRACE(name);
        std::string why;
        std::vector<std::string> savedAs;
        EXPECT_TRUE(root->CreateFile({"BKF", name}, &why, &savedAs)) << why;
        EXPECT_EQ(savedAs.back(), name + " (2)");
    }
    EXPECT_EQ(ReadFileBytes(root->Path() + "/BKF/file"), (Bytes{'o', 'l', 'd'}));
    EXPECT_TRUE(fs::is_empty(root->Path() + "/BKF/folder"));
}

// A file "a", then files of a folder "a\": the folder is numbered as a file
// would be, for all its files (fault: they were "not created"). A link is
// never numbered around nor followed.
TEST(OutputRootTest, FolderWhoseNameAFileHoldsIsNumbered)
{
    TempDir dir;
    auto root = MakeRoot(dir.Path());
    ASSERT_TRUE(root);
    std::string why;
    auto plain = root->CreateFile({"BKF", "a"}, &why);
    ASSERT_TRUE(plain) << why;
    ASSERT_TRUE(WriteText(*plain, "data"));
    fs::create_directory(dir.Child("outside"));
    fs::create_directory_symlink(dir.Child("outside"), root->Path() + "/BKF/link");
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"BKF", "a", "b"}, {"BKF", "a (2)", "b"}},
        {{"BKF", "c"}, {"BKF", "c"}},
        {{"BKF", "a", "d", "e"}, {"BKF", "a (2)", "d", "e"}},
        {{"BKF", "link", "f"}, {}},
    };
    for (const auto& [components, expected] : cases) {
        SCOPED_TRACE(components.back());
        std::vector<std::string> savedAs;
        EXPECT_EQ(root->CreateFile(components, &why, &savedAs).has_value(), !expected.empty()) << why;
        EXPECT_EQ(savedAs, expected);
    }
    EXPECT_EQ(ReadFileBytes(root->Path() + "/BKF/a"), (Bytes{'d', 'a', 't', 'a'}));
    EXPECT_TRUE(fs::is_empty(dir.Child("outside")));
}

// Fault: each folder level of a save held a descriptor open, so a legal path
// 400 folders deep failed with "Too many open files" under "ulimit -n 256".
TEST(OutputRootTest, DeepPathsHoldNoDescriptorPerFolder)
{
    struct Case {
        std::size_t levels; // folders "d" above the file
        std::string branch; // the folder below them, if any
        const char* name;
    };
    const Case cases[] = {
        {400, "", "deep"},
        {3, "", "shallow"},     // the chain is left
        {400, "", "again"},     // and entered anew
        {300, "", "mid"},       // a level that is not held is reopened
        {250, "e", "branched"}, // a new folder beside a level that is not held
    };
    const auto pathOf = [](const Case& c) {
        std::vector<std::string> components(c.levels, "d");
        if (!c.branch.empty())
            components.push_back(c.branch);
        components.push_back(c.name);
        return components;
    };
    TempDir dir;
    const auto status = RunInChild([&] {
        const rlimit few{64, 64};
        if (::setrlimit(RLIMIT_NOFILE, &few) != 0)
            return 100;
        std::string why;
        auto root = OutputRoot::Create(dir.Path(), "Recovered BKF", &why);
        for (std::size_t i = 0; root && i < std::size(cases); ++i) {
            auto file = root->CreateFile(pathOf(cases[i]), &why);
            if (!file || !WriteText(*file, cases[i].name))
                return static_cast<int>(i) + 1;
        }
        return root ? 0 : 99;
    });
    ASSERT_TRUE(status) << "the save crashed or hung";
    ASSERT_EQ(*status, 0) << "the file of that case (from 1) could not be made";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = dir.Child("Recovered BKF");
        for (const std::string& component : pathOf(c))
            path += "/" + component;
        EXPECT_EQ(ReadFileBytes(path), Bytes(c.name, c.name + std::strlen(c.name)));
    }
}

TEST(OutputRootTest, CreateFileRefusesAnEmptyPath)
{
    TempDir dir;
    auto root = MakeRoot(dir.Path());
    ASSERT_TRUE(root);
    std::string why;
    EXPECT_FALSE(root->CreateFile({}, &why));
    EXPECT_FALSE(why.empty());
    EXPECT_TRUE(fs::is_empty(root->Path()));
}

// Consecutive files reuse the folders of the previous one; moving between
// folders, back again and up to the root must still land each file at its path.
TEST(OutputRootTest, FilesLandInTheirOwnFoldersWhateverTheOrder)
{
    TempDir dir;
    auto root = MakeRoot(dir.Path());
    ASSERT_TRUE(root);
    const std::vector<std::vector<std::string>> files = {
        {"BKF", "a", "1"}, {"BKF", "a", "2"}, {"BKF", "b", "3"}, {"BKF", "a", "4"},
        {"BKF", "a", "x", "5"}, {"BKF", "6"}, {"7"}, {"BKF", "b", "x", "8"}, {"BKF", "a", "x", "9"},
    };
    std::set<std::string> expected;
    for (const auto& components : files) {
        std::string why;
        auto file = root->CreateFile(components, &why);
        ASSERT_TRUE(file) << why;
        std::string relative;
        for (const auto& component : components)
            relative += (relative.empty() ? "" : "/") + component;
        ASSERT_TRUE(WriteText(*file, relative));
        expected.insert(relative);
    }
    for (const auto& relative : expected) {
        const auto content = ReadFileBytes(root->Path() + "/" + relative);
        ASSERT_TRUE(content) << relative;
        EXPECT_EQ(std::string(content->begin(), content->end()), relative);
    }
}

TEST(OutputRootTest, OutputFileMovesItsHandle)
{
    TempDir dir;
    auto root = MakeRoot(dir.Path());
    ASSERT_TRUE(root);
    std::string why;
    auto created = root->CreateFile({"f"}, &why);
    ASSERT_TRUE(created) << why;
    OutputFile moved = std::move(*created);
    EXPECT_FALSE(created->IsOpen());
    EXPECT_TRUE(moved.IsOpen());
    ASSERT_TRUE(WriteText(moved, "abc"));
    EXPECT_TRUE(moved.Close(&why)) << "a second Close is harmless";
    EXPECT_EQ(ReadFileBytes(root->Path() + "/f"), (Bytes{'a', 'b', 'c'}));
}

// F5: a link planted inside the root never leads a file outside it.
TEST(OutputRootTest, LinkedFolderInsideTheRootIsNotFollowed)
{
    TempDir dir;
    const std::string outside = dir.Child("outside");
    fs::create_directory(outside);
    auto root = MakeRoot(dir.Child("dest"));
    ASSERT_TRUE(root);
    fs::create_directory_symlink(outside, root->Path() + "/BKF");
    fs::create_directories(root->Path() + "/real");
    fs::create_directory_symlink(outside, root->Path() + "/real/deeper");

    for (const auto& components : std::vector<std::vector<std::string>>{
             {"BKF", "x"}, {"BKF", "sub", "x"}, {"real", "deeper", "x"}}) {
        std::string why;
        EXPECT_FALSE(root->CreateFile(components, &why)) << components.back();
        EXPECT_NE(why.find("not a folder"), std::string::npos) << why;
    }
    EXPECT_TRUE(fs::is_empty(outside));
}

TEST(OutputRootTest, LinkPlantedAsTheFileNameIsNeitherFollowedNorReplaced)
{
    TempDir dir;
    const std::string outside = dir.Child("outside");
    fs::create_directory(outside);
    WriteFileBytes(outside + "/victim", {'v'});
    auto root = MakeRoot(dir.Child("dest"));
    ASSERT_TRUE(root);
    fs::create_directories(root->Path() + "/BKF");
    fs::create_symlink(outside + "/victim", root->Path() + "/BKF/to-victim");
    fs::create_symlink(outside + "/new", root->Path() + "/BKF/dangling");

    for (const std::string name : {"to-victim", "dangling"}) {
        std::string why;
        std::vector<std::string> savedAs;
        EXPECT_TRUE(root->CreateFile({"BKF", name}, &why, &savedAs)) << name;
        EXPECT_EQ(savedAs.back(), name + " (2)");
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(root->Path() + "/BKF/" + name))) << name;
    }
    EXPECT_EQ(ReadFileBytes(outside + "/victim"), Bytes{'v'});
    EXPECT_EQ(TreeOf(outside), std::set<std::string>{"victim"});
}

// The root stays the folder that Create made even when its name is taken
// over by a link afterwards: files go where the root really is.
TEST(OutputRootTest, RootReplacedByALinkAfterCreateIsNotFollowed)
{
    TempDir dir;
    const std::string outside = dir.Child("outside");
    fs::create_directory(outside);
    auto root = MakeRoot(dir.Child("dest"));
    ASSERT_TRUE(root);
    const std::string moved = dir.Child("dest/moved-away");
    fs::rename(root->Path(), moved);
    fs::create_directory_symlink(outside, root->Path());

    std::string why;
    auto file = root->CreateFile({"BKF", "x"}, &why);
    ASSERT_TRUE(file) << why;
    ASSERT_TRUE(WriteText(*file, "in"));
    EXPECT_TRUE(fs::is_empty(outside));
    EXPECT_EQ(ReadFileBytes(moved + "/BKF/x"), (Bytes{'i', 'n'}));
}

TEST(OutputRootTest, NamesTooLongForTheFileSystemAreShortened)
{
    TempDir dir;
    auto root = MakeRoot(dir.Path());
    ASSERT_TRUE(root);
    // F9: 200 CJK characters are 600 bytes; Linux takes 255 bytes a name.
    std::string why;
    const std::string cjk = Repeat("日", 200);
    std::vector<std::string> savedAs;
    ASSERT_TRUE(root->CreateFile({"BKF", cjk + ".txt"}, &why, &savedAs)) << why;
    EXPECT_EQ(savedAs.back(), Repeat("日", 83) + ".txt"); // 249 + 4 bytes, cut at a character
    ASSERT_TRUE(root->CreateFile({"BKF", cjk + ".txt"}, &why, &savedAs)) << why;
    EXPECT_EQ(savedAs.back(), Repeat("日", 82) + " (2).txt");
    ASSERT_TRUE(root->CreateFile({std::string(300, 'd'), "x"}, &why, &savedAs)) << why;
    EXPECT_EQ(savedAs.front(), std::string(255, 'd'));
    ASSERT_TRUE(root->CreateFile({"BKF", std::string(255, 'n')}, &why, &savedAs)) << why;
    EXPECT_EQ(savedAs.back(), std::string(255, 'n'));
}

} // namespace
