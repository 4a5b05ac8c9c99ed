// SPDX-License-Identifier: GPL-3.0-or-later
#include "path_pattern.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

// The glob over the whole path that a pattern with a folder stands for.
std::string WholePathGlob(std::string glob)
{
    if (glob.back() == '/')
        glob += "**"; // a folder: every file below it
    if (glob.front() == '/')
        return glob.substr(glob.find_first_not_of('/'));
    if (glob.compare(0, 2, "**") == 0)
        return glob;
    return "**/" + glob; // "**/" also stands for no folder: the root is one of the depths
}

// `pattern` as GlobPattern reads it, with "/" for "\".
std::string GlobOf(std::string_view pattern, bool wholePath)
{
    std::string glob(pattern);
    std::replace(glob.begin(), glob.end(), '\\', '/');
    return wholePath ? WholePathGlob(std::move(glob)) : glob;
}

} // namespace

PathPattern::PathPattern(std::string_view pattern, bool caseSensitive)
    : m_wholePath(pattern.find_first_of("/\\") != std::string_view::npos),
      m_pattern(GlobOf(pattern, m_wholePath), caseSensitive)
{
}

bool PathPattern::Matches(const std::vector<std::uint32_t>& path) const
{
    if (m_wholePath)
        return m_pattern.Matches(path, 0);
    const auto lastSlash = std::find(path.rbegin(), path.rend(), std::uint32_t{'/'});
    return m_pattern.Matches(path, static_cast<std::size_t>(lastSlash.base() - path.begin()));
}

bool PathPattern::LooksLikePattern(std::string_view text)
{
    return text.find_first_of("*?[") != std::string_view::npos;
}
