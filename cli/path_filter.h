// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which files a save chooses, by the PATH that list prints: every file
// without --include, else those an --include matches; never one that an
// --exclude matches, each read as a PathPattern. Case is ignored unless asked.

#include "path_pattern.h"

#include <string>
#include <string_view>
#include <vector>

class PathFilter {
public:
    PathFilter(const std::vector<std::string>& includes, const std::vector<std::string>& excludes,
               bool caseSensitive);

    // Also notes which --include patterns matched.
    bool Chooses(std::string_view path);
    // The --include patterns that no path given to Chooses matched.
    std::vector<std::string> UnmatchedIncludes() const;

private:
    struct Rule {
        std::string text;
        PathPattern pattern;
        bool matched = false;
    };
    static std::vector<Rule> MakeRules(const std::vector<std::string>& patterns, bool caseSensitive);
    static bool RuleMatches(Rule& rule, const std::vector<std::uint32_t>& path);

    std::vector<Rule> m_includes;
    std::vector<Rule> m_excludes;
    bool m_caseSensitive;
};
