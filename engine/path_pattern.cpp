// SPDX-License-Identifier: GPL-3.0-or-later
#include "path_pattern.h"

#include <algorithm>

PathPattern::PathPattern(std::string_view pattern, bool caseSensitive)
    : m_pattern(pattern, caseSensitive), m_wholePath(pattern.find('/') != std::string_view::npos)
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
