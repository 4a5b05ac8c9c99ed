// SPDX-License-Identifier: GPL-3.0-or-later
#include "saved_places.h"

#include <algorithm>

namespace {

std::string ChildKey(std::uint32_t parent, std::string_view name)
{
    return std::to_string(parent).append(1, '\0').append(name);
}

} // namespace

void SavedPlaces::NoteFile(std::size_t row, const std::vector<std::string>& components,
                           const std::vector<std::string>& savedAs)
{
    if (components.empty() || savedAs.size() != components.size())
        return;
    std::uint32_t folder = kRoot;
    for (std::size_t i = 0; i + 1 < components.size(); ++i)
        folder = Enter(folder, components[i], savedAs[i]);
    const File file{row, m_names.size(), static_cast<std::uint32_t>(savedAs.back().size()), folder};
    m_names += savedAs.back();
    // Saves visit their rows in order; anything else is put in its place.
    const auto at = std::upper_bound(m_files.begin(), m_files.end(), row,
                                     [](std::size_t r, const File& f) { return r < f.row; });
    m_files.insert(at, file);
}

std::optional<std::string> SavedPlaces::FileOf(std::size_t row) const
{
    const auto at = std::lower_bound(m_files.begin(), m_files.end(), row,
                                     [](const File& f, std::size_t r) { return f.row < r; });
    if (at == m_files.end() || at->row != row)
        return std::nullopt;
    std::string path = PathOf(at->folder);
    return path.append(path.empty() ? "" : "/").append(m_names, at->nameAt, at->nameLength);
}

std::optional<std::string> SavedPlaces::FolderOf(std::string_view folder) const
{
    if (!folder.empty() && folder.back() == '\\')
        folder.remove_suffix(1);
    if (folder.empty())
        return std::nullopt;
    std::uint32_t at = kRoot;
    for (std::size_t begin = 0; begin <= folder.size();) {
        const std::size_t end = std::min(folder.find('\\', begin), folder.size());
        const auto child = Find(at, folder.substr(begin, end - begin));
        if (!child)
            return std::nullopt;
        at = *child;
        begin = end + 1;
    }
    return PathOf(at);
}

std::uint32_t SavedPlaces::Enter(std::uint32_t parent, std::string_view name, const std::string& made)
{
    const auto [known, added] = m_children.emplace(ChildKey(parent, name), static_cast<std::uint32_t>(m_folders.size()));
    if (added)
        m_folders.push_back(Folder{parent, made});
    return known->second;
}

std::optional<std::uint32_t> SavedPlaces::Find(std::uint32_t parent, std::string_view name) const
{
    const auto known = m_children.find(ChildKey(parent, name));
    if (known == m_children.end())
        return std::nullopt;
    return known->second;
}

std::string SavedPlaces::PathOf(std::uint32_t folder) const
{
    std::vector<std::uint32_t> chain;
    for (std::uint32_t at = folder; at != kRoot; at = m_folders[at].parent)
        chain.push_back(at);
    std::string path;
    for (auto at = chain.rbegin(); at != chain.rend(); ++at)
        path.append(path.empty() ? "" : "/").append(m_folders[*at].name);
    return path;
}
