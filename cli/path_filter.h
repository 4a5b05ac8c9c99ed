// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which files a command chooses, by the PATH that list prints: every file
// without a PATTERN or --include, else those one of them matches; never one
// that an --exclude matches, each read as a PathPattern. Case is ignored
// unless asked.

#include "cli_options.h"
#include "path_pattern.h"

#include <string>
#include <string_view>
#include <vector>

class PathFilter {
public:
    explicit PathFilter(const CliOptions& options);

    // Also notes which choosing patterns matched.
    bool Chooses(std::string_view path);
    // Each PATTERN and --include that no path given to Chooses matched, as
    // the user gave it, quoted for a shell: "'x*'" or "--include 'x*'".
    std::vector<std::string> UnmatchedChoices() const;

private:
    struct Rule {
        std::string shown;
        PathPattern pattern;
        bool matched = false;
    };
    static void AddRules(std::vector<Rule>& rules, const std::vector<std::string>& patterns, const std::string& option,
                         bool caseSensitive);
    static bool RuleMatches(Rule& rule, const std::vector<std::uint32_t>& path);

    std::vector<Rule> m_includes; // the --include patterns, then the PATTERNs
    std::vector<Rule> m_excludes;
    bool m_caseSensitive;
};

// Warns about each PATTERN or --include that matched no file; false when one did not.
bool WarnUnmatched(const PathFilter& filter);
