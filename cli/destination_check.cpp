// SPDX-License-Identifier: GPL-3.0-or-later
#include "destination_check.h"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ParentOf(const std::string& path)
{
    const std::size_t slash = path.find_last_not_of('/') == std::string::npos
                                  ? std::string::npos
                                  : path.find_last_of('/', path.find_last_not_of('/'));
    if (slash == std::string::npos)
        return ".";
    const std::size_t end = path.find_last_not_of('/', slash);
    return end == std::string::npos ? "/" : path.substr(0, end + 1);
}

// Creates and removes a file in `folder`; the system's reason when it cannot.
std::string FileCreationProblem(const std::string& folder)
{
    std::string name = folder + "/.bkf-recover-XXXXXX";
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    const int fd = ::mkstemp(buffer.data());
    if (fd < 0)
        return "cannot create a file in " + folder + ": " + std::strerror(errno);
    ::close(fd);
    ::unlink(buffer.data());
    return {};
}

// The paths from `destination` up that do not exist, innermost first; or
// why the nearest one that exists cannot hold folders.
std::string MissingPaths(const std::string& destination, std::vector<std::string>& missing)
{
    for (std::string path = destination;; path = ParentOf(path)) {
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0) {
            if (!S_ISDIR(info.st_mode))
                return path == destination ? "not a folder" : path + " is not a folder";
            return {};
        }
        if (errno != ENOENT && errno != ENOTDIR)
            return std::strerror(errno);
        if (path == "/" || path == ".")
            return std::strerror(errno);
        missing.push_back(path);
    }
}

} // namespace

PreparedDestination::~PreparedDestination()
{
    RemoveMadeFolders();
}

void PreparedDestination::RemoveMadeFolders()
{
    // Only empty folders go: once the save put its output root into DEST, all stay.
    while (!m_made.empty() && ::rmdir(m_made.back().c_str()) == 0)
        m_made.pop_back();
    m_made.clear();
}

std::string PreparedDestination::Prepare(const std::string& destination)
{
    std::vector<std::string> missing;
    std::string problem = MissingPaths(destination, missing);
    for (auto path = missing.rbegin(); problem.empty() && path != missing.rend(); ++path) {
        if (::mkdir(path->c_str(), 0777) == 0)
            m_made.push_back(*path);
        else if (errno != EEXIST) // "a/.." exists once "a" is made
            problem = "cannot create a folder in " + ParentOf(*path) + ": " + std::strerror(errno);
    }
    if (problem.empty())
        problem = FileCreationProblem(destination);
    if (!problem.empty())
        RemoveMadeFolders();
    return problem;
}
