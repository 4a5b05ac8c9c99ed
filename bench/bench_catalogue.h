// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The synthetic catalogue shape the tree and browser benchmarks share:
// BKF, two sets, then six levels of four subfolders each (eight levels).

#include <string>
#include <vector>

namespace bench {

constexpr int kSets = 2;
constexpr int kFanOut = 4;          // subfolders per folder below a set
constexpr int kDirectoryLevels = 6; // BKF, set, then six: eight levels

// The leaf folder paths of every set: "BKF\BACKUP SET 1(_Bench)\dir0_3\...\".
inline std::vector<std::string> LeafFolders()
{
    std::vector<std::string> folders;
    for (int set = 1; set <= kSets; ++set)
        folders.push_back("BKF\\BACKUP SET " + std::to_string(set) + "(_Bench)\\");
    for (int level = 0; level < kDirectoryLevels; ++level) {
        std::vector<std::string> deeper;
        for (const std::string& folder : folders) {
            for (int child = 0; child < kFanOut; ++child)
                deeper.push_back(folder + "dir" + std::to_string(level) + "_" + std::to_string(child) + "\\");
        }
        folders.swap(deeper);
    }
    return folders;
}

} // namespace bench
