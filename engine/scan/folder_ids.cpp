// SPDX-License-Identifier: GPL-3.0-or-later
#include "folder_ids.h"

void FolderIds::SetStarted()
{
    m_folders.clear();
    m_dirbSeen = false;
    m_current = 0;
    m_kept = true;
}

void FolderIds::FolderSeen(std::uint32_t id, const std::string& folder)
{
    m_dirbSeen = true;
    m_current = id;
    if (id == 0)
        m_kept = false;
    else if (m_kept)
        m_folders[id] = Folder{folder, false};
}

bool FolderIds::StartsAgain(std::uint32_t id, bool directory) const
{
    // A file of the set's first folder may follow a later folder only when
    // the two belong to different sets.
    return id == 1 && m_kept && m_dirbSeen && (directory || m_current > 1);
}

FolderIds::Placement FolderIds::Place(std::uint32_t id)
{
    if (id == 0)
        m_kept = false;
    if (!m_kept || (m_dirbSeen && id == m_current))
        return {};
    const auto found = m_folders.find(id);
    if (found == m_folders.end())
        return {Kind::Lost, nullptr};
    return {found->second.lost ? Kind::Lost : Kind::ById, &found->second.path};
}

const std::string* FolderIds::LostFolderMade(std::uint32_t id, const std::string& folder)
{
    Folder& made = m_folders[id];
    made = Folder{folder, true};
    return &made.path;
}
