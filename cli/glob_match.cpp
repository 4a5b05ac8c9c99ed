#include "glob_match.h"

#include <vector>

namespace {

class GlobMatcher {
public:
    GlobMatcher(std::string_view pattern, std::string_view path)
        : m_pattern(pattern), m_path(path), m_memo((pattern.size() + 1) * (path.size() + 1), kUnknown)
    {
    }

    bool Match(std::size_t p, std::size_t j)
    {
        signed char& memo = m_memo[p * (m_path.size() + 1) + j];
        if (memo == kUnknown)
            memo = Compute(p, j) ? 1 : 0;
        return memo == 1;
    }

private:
    static constexpr signed char kUnknown = -1;

    bool Compute(std::size_t p, std::size_t j)
    {
        if (p == m_pattern.size())
            return j == m_path.size();
        if (m_pattern[p] == '*')
            return MatchStar(p, j);
        if (j == m_path.size())
            return false;
        const char c = m_path[j];
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
                if (Match(rest, k))
                    return true;
            }
            return false;
        }
        for (std::size_t k = j;; ++k) {
            if (Match(p + 1, k))
                return true;
            if (k == m_path.size() || m_path[k] == '/')
                return false;
        }
    }

    // "[abc]", "[a-z]", "[!x]": false when there is no closing "]" (then "[" is literal).
    bool ParseClass(std::size_t at, char c, std::size_t& end, bool& matched) const
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

    std::string_view m_pattern;
    std::string_view m_path;
    std::vector<signed char> m_memo;
};

} // namespace

bool GlobMatch(std::string_view pattern, std::string_view path)
{
    return GlobMatcher(pattern, path).Match(0, 0);
}
