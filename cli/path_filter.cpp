// SPDX-License-Identifier: GPL-3.0-or-later
#include "path_filter.h"

#include <algorithm>

PathFilter::PathFilter(const std::vector<std::string>& includes, const std::vector<std::string>& excludes,
                       bool caseSensitive)
    : m_includes(MakeRules(includes, caseSensitive)), m_excludes(MakeRules(excludes, caseSensitive)),
      m_caseSensitive(caseSensitive)
{
}

std::vector<PathFilter::Rule> PathFilter::MakeRules(const std::vector<std::string>& patterns, bool caseSensitive)
{
    std::vector<Rule> rules;
    for (const std::string& text : patterns)
        rules.push_back({text, PathPattern(text, caseSensitive)});
    return rules;
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

std::vector<std::string> PathFilter::UnmatchedIncludes() const
{
    std::vector<std::string> unmatched;
    for (const Rule& rule : m_includes) {
        if (!rule.matched)
            unmatched.push_back(rule.text);
    }
    return unmatched;
}
