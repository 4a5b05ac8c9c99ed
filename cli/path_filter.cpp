// SPDX-License-Identifier: GPL-3.0-or-later
#include "path_filter.h"

#include "messages.h"

#include <algorithm>

PathFilter::PathFilter(const CliOptions& options) : m_caseSensitive(options.caseSensitive)
{
    AddRules(m_includes, options.includes, "--include ", m_caseSensitive);
    AddRules(m_includes, options.patterns, "", m_caseSensitive);
    AddRules(m_excludes, options.excludes, "--exclude ", m_caseSensitive);
}

void PathFilter::AddRules(std::vector<Rule>& rules, const std::vector<std::string>& patterns,
                          const std::string& option, bool caseSensitive)
{
    for (const std::string& text : patterns)
        rules.push_back({option + ShellQuoted(text), PathPattern(text, caseSensitive)});
}

bool PathFilter::RuleMatches(Rule& rule, const std::vector<std::uint32_t>& path)
{
    const bool matches = rule.pattern.Matches(path);
    rule.matched |= matches;
    return matches;
}

bool PathFilter::Chooses(std::string_view path)
{
    const std::vector<std::uint32_t> characters = Characters(path, m_caseSensitive);
    const auto matches = [&](Rule& rule) { return RuleMatches(rule, characters); };
    // Includes are tried until each one that matches anything is known.
    bool included = m_includes.empty();
    for (Rule& rule : m_includes) {
        if (!(included && rule.matched))
            included |= matches(rule);
    }
    return included && std::none_of(m_excludes.begin(), m_excludes.end(), matches);
}

std::vector<std::string> PathFilter::UnmatchedChoices() const
{
    std::vector<std::string> unmatched;
    for (const Rule& rule : m_includes) {
        if (!rule.matched)
            unmatched.push_back(rule.shown);
    }
    return unmatched;
}

bool WarnUnmatched(const PathFilter& filter)
{
    const std::vector<std::string> unmatched = filter.UnmatchedChoices();
    for (const std::string& choice : unmatched)
        PrintMessage(choice + " matched no file");
    return unmatched.empty();
}
