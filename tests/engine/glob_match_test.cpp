// SPDX-License-Identifier: GPL-3.0-or-later
// GlobPattern over whole texts, as bkf-recover's --include and the window's
// filter box use it: the passing-over of texts without the pattern's plain
// run must never turn away a text the pattern matches. PathPattern: where in
// a path a pattern with or without a folder is matched.

#include "glob_match.h"
#include "path_pattern.h"

#include <gtest/gtest.h>

namespace {

TEST(GlobPattern, MatchesAsTheRulesSay)
{
    const struct {
        const char* pattern;
        const char* text;
        bool matches;
    } cases[] = {
        {"*.txt", "a.txt", true},         {"*.txt", "a.txt.bak", false},
        {"**/a.txt", "a.txt", true},      {"**/a.txt", "x/y/a.txt", true}, // "**/" may stand for no folder
        {"x/**/a.txt", "x/a.txt", true},  {"*/a.txt", "a.txt", false},
        {"[hl]*", "holiday", true},       {"[hl]*", "hl]", true}, {"[hl]*", "notes", false},
        {"[]x]y", "]y", true},            {"[!a]b", "cb", true},  {"[!a]b", "ab", false},
        {"a[b", "a[b", true},             {"?.DOC", "r.doc", true}, {"r?port", "report", true},
        {"x/*", "x/y/z", false},          {"x/*", "x/", true},      {"x/y*", "x/yz", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " ~ " + c.text);
        EXPECT_EQ(GlobPattern(c.pattern, false).Matches(Characters(c.text, false)), c.matches);
    }
}

// A pattern with a folder matches at any depth unless it starts with "/";
// "\" separates folders as "/" does, and "[*]" stands for a literal "*".
TEST(PathPattern, FolderPatternsMatchAtAnyDepthUnlessAnchored)
{
    const std::string mary = "BKF/BACKUP SET 1(x)/C:/Users/Mary's Documents/";
    const struct {
        const char* pattern;
        std::string path;
        bool matches;
    } cases[] = {
        {"Mary's Documents/**", mary + "a/b.doc", true},
        {R"(mary's documents\*.doc)", mary + "b.DOC", true},
        {"Invoices/*.mp3", "BKF/S/Invoices/a.mp3", true},
        {R"(Invoices\*.mp3)", "BKF/S/Invoices/a.mp3", true},
        {"Invoices/*.mp3", "BKF/S/Old Invoices/a.mp3", false}, // a whole folder name
        {"Invoices/*.mp3", "BKF/S/Invoices/2020/a.mp3", false},
        {"BKF/*/a.txt", "BKF/S/a.txt", true},                   // the root is one of the depths
        {"/BKF/S*/**", "BKF/S1/x/a.txt", true},
        {"/S1/**", "BKF/S1/x/a.txt", false},
        {R"(\BKF\S1\*)", "BKF/S1/a.txt", true},
        {"Invoices/", "BKF/S/Invoices/2020/a.mp3", true},       // a folder: all below it
        {"Invoices/", "BKF/S/Invoices.mp3", false},
        {R"([[]1]\a[*?])", "BKF/S/[1]/a*", true},
        {R"([[]1]\a[*?])", "BKF/S/[1]/ab", false},
        {"*.mp3", "BKF/S/Invoices/a.mp3", true},                // no folder: the file name
        {"S/*.mp3", "BKF/S/Invoices/a.mp3", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " ~ " + c.path);
        EXPECT_EQ(PathPattern(c.pattern, false).Matches(Characters(c.path, false)), c.matches);
    }
}

} // namespace
