// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a file belongs by its directory ID: a FILE block carries at 76 the ID
// of its DIRB, which carries its own there (counted per set). Where a set
// keeps the IDs, a file whose ID is not the current DIRB's goes to the folder
// of that ID seen earlier in the set, or to a lost folder of its own when
// its DIRB was lost. A writer that leaves the IDs zero keeps the order rule.

#include <cstdint>
#include <string>
#include <unordered_map>

class FolderIds {
public:
    enum class Kind { ByOrder, ById, Lost };
    struct Placement {
        Kind kind = Kind::ByOrder;
        const std::string* folder = nullptr; // with ById and a known lost folder
    };

    // A new set: the IDs of the last one mean nothing here.
    void SetStarted();
    // The set's current DIRB has `id` and names `folder`.
    void FolderSeen(std::uint32_t id, const std::string& folder);
    // True when a block of directory ID `id` (a DIRB's own, or a FILE's)
    // starts the IDs again at 1 within the set: IDs count up from 1 per set,
    // so a new set began whose set block was lost.
    bool StartsAgain(std::uint32_t id, bool directory) const;
    // Where a file of directory ID `id` goes. Lost without a folder: the
    // caller makes one and hands it to LostFolderMade, which keeps it for the
    // ID's other files and returns it.
    Placement Place(std::uint32_t id);
    const std::string* LostFolderMade(std::uint32_t id, const std::string& folder);

private:
    struct Folder {
        std::string path;
        bool lost = false;
    };
    std::unordered_map<std::uint32_t, Folder> m_folders;
    bool m_dirbSeen = false;
    std::uint32_t m_current = 0; // the ID of the set's last DIRB
    bool m_kept = true;          // no zero ID so far in the set
};
