// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The few file-system questions the extraction asks, the same on every
// platform: what stands at a path, and making one folder. The system's half
// lives in file_system_posix.cpp.

#include <string>

enum class PathState {
    Missing,   // nothing of that name
    Folder,    // a folder (links followed when asked to)
    NotFolder, // a file, a link not followed, a device
    Unknown,   // the lookup failed for another reason (see `why`)
};

PathState LookUpPath(const std::string& path, bool followLinks, std::string* why);

// Makes one folder; an existing one is fine.
bool MakeFolder(const std::string& path, std::string* why);

// Creates every missing folder along `path` up to its last separator.
// Returns false (with the reason) when a folder could not be made.
bool CreateFolderChain(const std::string& path, std::string* why = nullptr);

// The last system error in words.
std::string LastSystemError();
