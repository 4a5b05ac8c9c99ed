// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shell-style patterns over UTF-8 text, stepping by character: "*" and "?"
// do not cross "/", "**" does, "[abc]", "[a-z]" and "[!a-z]" match one
// character of a set. A "[" without its "]" is an ordinary character.

#include <cstdint>
#include <string_view>
#include <vector>

class GlobPattern {
public:
    GlobPattern(std::string_view pattern, bool caseSensitive);
    // `text` as Characters() gives it, folded the same way as the pattern.
    bool Matches(const std::vector<std::uint32_t>& text) const;

private:
    std::vector<std::uint32_t> m_pattern;
};

// Code points of `text`, folded unless `caseSensitive`. A byte that does
// not start a valid sequence stands for itself (as 0xDC00 + byte).
std::vector<std::uint32_t> Characters(std::string_view text, bool caseSensitive);
