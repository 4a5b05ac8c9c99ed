// SPDX-License-Identifier: GPL-3.0-or-later
#include "open_files.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include <fcntl.h>

namespace fs = std::filesystem;

std::vector<int> FdsOn(const std::string& path)
{
    std::error_code error;
    const fs::path target = fs::canonical(path, error);
    std::vector<int> fds;
    if (error)
        return fds;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd", error)) {
        std::error_code ignored;
        const fs::path link = fs::read_symlink(entry.path(), ignored);
        if (!ignored && link == target)
            fds.push_back(std::stoi(entry.path().filename().string()));
    }
    return fds;
}

int AccessMode(int fd)
{
    std::ifstream info("/proc/self/fdinfo/" + std::to_string(fd));
    std::string key;
    while (info >> key) {
        if (key == "flags:") {
            std::string octal;
            info >> octal;
            return static_cast<int>(std::stoul(octal, nullptr, 8)) & O_ACCMODE;
        }
    }
    return -1;
}
