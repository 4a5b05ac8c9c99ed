// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shell-style patterns over UTF-8 text, stepping by character: "*" and "?"
// do not cross "/", "**" does, "[abc]", "[a-z]" and "[!a-z]" match one
// character of a set. A "[" without its "]" is an ordinary character.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class GlobPattern {
public:
    GlobPattern(std::string_view pattern, bool caseSensitive);
    // `text` from `start` on, as Characters() gives it, folded the same way
    // as the pattern. Reuses one work buffer: not for use by two threads at once.
    bool Matches(const std::vector<std::uint32_t>& text, std::size_t start = 0) const;
    // The longest run of the pattern without "*", "?" or "[": every text the
    // pattern matches holds it, so a text without it is passed over at once.
    const std::vector<std::uint32_t>& RequiredRun() const { return m_required; }

private:
    std::vector<std::uint32_t> m_pattern;
    std::vector<std::uint32_t> m_required;
    mutable std::vector<signed char> m_memo;
};

// Code points of `text`, folded unless `caseSensitive`. A byte that does
// not start a valid sequence stands for itself (as 0xDC00 + byte).
std::vector<std::uint32_t> Characters(std::string_view text, bool caseSensitive);
// The same into `out`, replacing what it held (a buffer reused row after row).
void CharactersInto(std::string_view text, bool caseSensitive, std::vector<std::uint32_t>& out);
