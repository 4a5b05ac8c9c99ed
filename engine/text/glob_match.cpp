// SPDX-License-Identifier: GPL-3.0-or-later
#include "glob_match.h"

#include "case_fold.h"
#include "utf8.h"

#include <algorithm>

namespace {

using Text = std::vector<std::uint32_t>;

class GlobMatcher {
public:
    // Matches `path` from `start`; `memo` is scratch space, reused between calls.
    GlobMatcher(const Text& pattern, const Text& path, std::size_t start, std::vector<signed char>& memo)
        : m_pattern(pattern), m_path(path), m_start(start), m_memo(memo)
    {
        m_memo.assign((pattern.size() + 1) * (path.size() - start + 1), kUnknown);
    }

    bool Match(std::size_t p, std::size_t j)
    {
        signed char& memo = m_memo[p * (m_path.size() - m_start + 1) + (j - m_start)];
        if (memo == kUnknown)
            memo = Compute(p, j) ? 1 : 0;
        return memo == 1;
    }

private:
    static constexpr signed char kUnknown = -1;

    static bool IsPlain(std::uint32_t c) { return c != '*' && c != '?' && c != '['; }

    bool Compute(std::size_t p, std::size_t j)
    {
        if (p == m_pattern.size())
            return j == m_path.size();
        if (IsPlain(m_pattern[p])) {
            // A run of plain characters is compared in one go, not a call each.
            std::size_t q = p;
            for (; q < m_pattern.size() && IsPlain(m_pattern[q]); ++q, ++j) {
                if (j == m_path.size() || m_path[j] != m_pattern[q])
                    return false;
            }
            return Match(q, j);
        }
        if (m_pattern[p] == '*')
            return MatchStar(p, j);
        if (j == m_path.size())
            return false;
        const std::uint32_t c = m_path[j];
        if (m_pattern[p] == '?')
            return c != '/' && Match(p + 1, j + 1);
        if (m_pattern[p] == '[') {
            std::size_t end = 0;
            bool matched = false;
            if (ParseClass(p, c, end, matched))
                return matched && Match(end, j + 1);
        }
        return m_pattern[p] == c && Match(p + 1, j + 1);
    }

    bool MatchStar(std::size_t p, std::size_t j)
    {
        const bool crossing = p + 1 < m_pattern.size() && m_pattern[p + 1] == '*';
        if (crossing) {
            const std::size_t rest = p + 2;
            // "**/" also stands for no folder at all.
            if (rest < m_pattern.size() && m_pattern[rest] == '/' && Match(rest + 1, j))
                return true;
            for (std::size_t k = j; k <= m_path.size(); ++k) {
                if (CanStartAt(rest, k) && Match(rest, k))
                    return true;
            }
            return false;
        }
        if (p + 1 == m_pattern.size()) // a last "*": the rest of the name
            return std::find(m_path.begin() + static_cast<std::ptrdiff_t>(j), m_path.end(), '/') == m_path.end();
        for (std::size_t k = j;; ++k) {
            if (CanStartAt(p + 1, k) && Match(p + 1, k))
                return true;
            if (k == m_path.size() || m_path[k] == '/')
                return false;
        }
    }

    // False when the pattern from `p` begins with a plain character that the
    // path at `j` does not hold: the positions a star tries are mostly those.
    bool CanStartAt(std::size_t p, std::size_t j) const
    {
        if (p == m_pattern.size())
            return true;
        const std::uint32_t c = m_pattern[p];
        if (c == '*' || c == '?' || c == '[')
            return true;
        return j < m_path.size() && m_path[j] == c;
    }

    // "[abc]", "[a-z]", "[!x]": false when there is no closing "]" (then "[" is literal).
    bool ParseClass(std::size_t at, std::uint32_t c, std::size_t& end, bool& matched) const
    {
        std::size_t i = at + 1;
        const bool negate = i < m_pattern.size() && (m_pattern[i] == '!' || m_pattern[i] == '^');
        if (negate)
            ++i;
        bool inSet = false;
        for (bool first = true; i < m_pattern.size() && (m_pattern[i] != ']' || first); ++i, first = false) {
            if (i + 2 < m_pattern.size() && m_pattern[i + 1] == '-' && m_pattern[i + 2] != ']') {
                inSet |= m_pattern[i] <= c && c <= m_pattern[i + 2];
                i += 2;
            } else {
                inSet |= m_pattern[i] == c;
            }
        }
        if (i >= m_pattern.size())
            return false;
        end = i + 1;
        matched = c != '/' && inSet != negate;
        return true;
    }

    const Text& m_pattern;
    const Text& m_path;
    std::size_t m_start;
    std::vector<signed char>& m_memo;
};

// Where the set opened by the "[" at `open` ends (just after its "]"), or
// `open` + 1 when it has no "]" (then the "[" is an ordinary character).
std::size_t AfterClass(const Text& pattern, std::size_t open)
{
    std::size_t i = open + 1;
    if (i < pattern.size() && (pattern[i] == '!' || pattern[i] == '^'))
        ++i;
    for (std::size_t first = i; i < pattern.size(); ++i) {
        if (pattern[i] == ']' && i != first)
            return i + 1;
    }
    return open + 1;
}

// The longest run outside "*", "?" and sets. A "[" without its "]" ends a
// run too, and a "/" after a "*" is left out: the run found is then shorter
// than it could be, never wrong.
Text LongestPlainRun(const Text& pattern)
{
    Text longest;
    std::size_t runStart = 0;
    for (std::size_t at = 0;; ) {
        const bool end = at == pattern.size();
        if (!end && pattern[at] != '*' && pattern[at] != '?' && pattern[at] != '[') {
            ++at;
            continue;
        }
        if (at - runStart > longest.size())
            longest.assign(pattern.begin() + static_cast<std::ptrdiff_t>(runStart),
                           pattern.begin() + static_cast<std::ptrdiff_t>(at));
        if (end)
            return longest;
        at = pattern[at] == '[' ? AfterClass(pattern, at) : at + 1;
        // "**/" also stands for no folder at all: its "/" is not required.
        if (pattern[at - 1] == '*' && at < pattern.size() && pattern[at] == '/')
            ++at;
        runStart = at;
    }
}

} // namespace

std::vector<std::uint32_t> Characters(std::string_view text, bool caseSensitive)
{
    Text characters;
    CharactersInto(text, caseSensitive, characters);
    return characters;
}

void CharactersInto(std::string_view text, bool caseSensitive, std::vector<std::uint32_t>& characters)
{
    characters.clear();
    characters.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) { // ASCII, the common case, without the decoder or FoldCase
            const bool capital = !caseSensitive && byte >= 'A' && byte <= 'Z';
            characters.push_back(capital ? byte + 0x20u : byte);
            ++i;
            continue;
        }
        const std::size_t start = i;
        std::optional<std::uint32_t> c = NextCodePoint(text, i);
        if (!c) {
            i = start + 1;
            c = 0xDC00 + static_cast<unsigned char>(text[start]);
        }
        characters.push_back(caseSensitive ? *c : FoldCase(*c));
    }
}

GlobPattern::GlobPattern(std::string_view pattern, bool caseSensitive)
    : m_pattern(Characters(pattern, caseSensitive)), m_required(LongestPlainRun(m_pattern))
{
}

bool GlobPattern::Matches(const Text& text, std::size_t start) const
{
    const auto from = text.begin() + static_cast<std::ptrdiff_t>(start);
    if (!m_required.empty() && std::search(from, text.end(), m_required.begin(), m_required.end()) == text.end())
        return false;
    return GlobMatcher(m_pattern, text, start, m_memo).Match(0, start);
}
