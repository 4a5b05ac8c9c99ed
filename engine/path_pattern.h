// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One file-choosing pattern as bkf-recover's --include and --exclude read it
// and as the window's filter box reads it: a pattern without "/" matches the
// file name in any folder, one with "/" the whole path ("/"-separated, as
// bkf-recover prints it). The glob rules are GlobPattern's.

#include "glob_match.h"

#include <cstdint>
#include <string_view>
#include <vector>

class PathPattern {
public:
    PathPattern(std::string_view pattern, bool caseSensitive);

    // `path` as Characters() gives it with the same case setting.
    bool Matches(const std::vector<std::uint32_t>& path) const;
    // Whether a text holds "*", "?" or "[", so that it reads as a pattern
    // rather than as plain text.
    static bool LooksLikePattern(std::string_view text);
    // Whether the pattern reads the whole path rather than the file name.
    bool WholePath() const { return m_wholePath; }
    const std::vector<std::uint32_t>& RequiredRun() const { return m_pattern.RequiredRun(); }

private:
    GlobPattern m_pattern;
    bool m_wholePath;
};
