// SPDX-License-Identifier: GPL-3.0-or-later
// GlobPattern over whole texts, as bkf-recover's --include and the window's
// filter box use it: the passing-over of texts without the pattern's plain
// run must never turn away a text the pattern matches.

#include "glob_match.h"

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

} // namespace
