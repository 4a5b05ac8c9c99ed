// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check that extract makes before it reads the backup, so that an
// unusable destination is found before a long scan rather than after it.

#include <string>
#include <vector>

// DEST made ready for a save: created with its missing parents, and a file
// created and removed inside it (never beside it). The folders it made are
// removed again when it goes, unless the save put something into them.
class PreparedDestination {
public:
    PreparedDestination() = default;
    ~PreparedDestination();
    PreparedDestination(const PreparedDestination&) = delete;
    PreparedDestination& operator=(const PreparedDestination&) = delete;

    // Why files cannot be saved into `destination`, or empty when they can.
    // On failure nothing it made is left.
    std::string Prepare(const std::string& destination);

private:
    void RemoveMadeFolders();

    std::vector<std::string> m_made; // outermost first
};
