// SPDX-License-Identifier: GPL-3.0-or-later
#include "lost_folder_hold.h"

#include <algorithm>
#include <set>

void LostFolderHold::Row(const CatalogueRow& row, const LostPlace& place)
{
    if (!m_holding && (place.length == 0 || m_passOn))
        m_sinks.catalogue.AddRow(row);
    else
        Hold(Item{row, std::string(row.path), place, false, 0, {}});
}

void LostFolderHold::Folder(std::string_view path, const LostPlace& place, std::uint64_t modified, bool verified,
                            std::string note)
{
    CatalogueRow row;
    row.verified = verified;
    Hold(Item{row, std::string(path), place, true, modified, std::move(note)});
}

void LostFolderHold::Hold(Item item)
{
    m_bytes += sizeof(Item) + item.path.size() + item.note.size();
    m_items.push_back(std::move(item));
    m_holding = true;
    if (m_bytes <= kLimit)
        return;
    Release();
    m_passOn = true;
}

void LostFolderHold::Release(const NamedFolders& named)
{
    std::set<std::string> namedNow; // the folders named, once each
    for (Item& item : m_items) {
        const std::string_view lost = std::string_view(item.path).substr(item.place.at, item.place.length);
        const auto name = std::find_if(named.begin(), named.end(), [&](const auto& pair) {
            return item.place.length > 0 && pair.first == lost;
        });
        const std::string* path = name == named.end() ? nullptr : &name->second;
        if (PassOn(item, path))
            namedNow.insert(item.path.substr(0, item.place.at + path->size()));
    }
    for (const std::string& folder : namedNow)
        m_report.foldersFromSetCatalogue.Add("\"" + folder + "\"");
    m_items.clear();
    m_holding = false;
    m_bytes = 0;
    m_passOn = false;
}

// The item under its folder's new path where it is named and the path
// fits; true when it was put there.
bool LostFolderHold::PassOn(Item& item, const std::string* named)
{
    if (named) {
        std::string path = item.path;
        path.replace(item.place.at, item.place.length, *named);
        if (m_limits.Fits(path))
            item.path.swap(path);
        else
            named = nullptr;
    }
    if (item.folder) {
        if (!named)
            m_report.lostDirectories.Add(item.row.verified, item.note);
        // A path that is too long is not added; its files are dropped by the same test.
        if (!m_limits.Fits(item.path))
            return false;
        m_sinks.folders.AddPath(item.path);
        if (m_sinks.folderDates)
            m_sinks.folderDates->FolderDated(item.path, item.modified);
        return named != nullptr;
    }
    if (!named && item.place.noted)
        m_report.inLostFolder.Add("\"" + item.path + "\"");
    if (named && item.row.status == RowStatus::FolderLost)
        item.row.status = item.row.checksum ? RowStatus::NotChecked : RowStatus::NoChecksum;
    item.row.path = item.path;
    m_sinks.catalogue.AddRow(item.row);
    return named != nullptr;
}
