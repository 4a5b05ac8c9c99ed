// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One file-choosing pattern as bkf-recover's PATTERNs, --include and
// --exclude read it and as the window's filter box reads it, over a path
// with "/" between its folders (as bkf-recover prints it). "\" in the pattern
// separates folders too, as the window lists them. A pattern without a folder
// matches the file name in any folder; one with a folder matches the path's
// end at any depth, as rsync reads it ("Invoices/*.mp3"), unless it starts
// with "/" (from the path's root: "/BKF/BACKUP SET 1*/**") or with "**". A
// pattern ending in "/" matches every file below that folder. The glob rules
// are GlobPattern's.

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
    bool m_wholePath;
    GlobPattern m_pattern;
};
