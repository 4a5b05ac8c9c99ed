// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_system.h"

bool CreateFolderChain(const std::string& path, std::string* why)
{
    // Only "/" separates folders ("\" is an ordinary character of a name). A
    // separator in the very first character (the file system root) is never
    // a folder to make.
    for (std::size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1)) {
        const std::string folder = path.substr(0, at);
        // The destination was chosen by the user: links along it are followed.
        switch (LookUpPath(folder, true, why)) {
        case PathState::Folder:
            break;
        case PathState::Missing:
            if (!MakeFolder(folder, why))
                return false;
            break;
        case PathState::NotFolder:
        case PathState::Unknown:
            return false;
        }
    }
    return true;
}
