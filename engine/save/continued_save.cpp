// SPDX-License-Identifier: GPL-3.0-or-later
#include "continued_save.h"

#include "catalogue_store.h"
#include "output_path.h"
#include "saved_file_check.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// True when the row's file is a regular file under `folder` at the row's
// path, as long as its data.
bool RowFileThere(int folder, const CatalogueRow& row, std::uint64_t backupSize)
{
    const auto components = SafePathComponents(row.path, nullptr);
    if (!components)
        return false;
    std::string relative;
    for (const std::string& component : *components)
        relative += (relative.empty() ? "" : "/") + component;
    struct stat info {};
    return ::fstatat(folder, relative.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode)
           && HasRowLength(static_cast<std::uint64_t>(info.st_size), row, backupSize);
}

} // namespace

std::optional<EarlierSave> FindEarlierSave(const std::string& destination, const std::string& prefix,
                                           const CatalogueStore& rows, std::uint64_t backupSize)
{
    auto folder = OutputRoot::LatestPath(destination, prefix);
    if (!folder)
        return std::nullopt;
    const int fd = ::open(folder->c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    EarlierSave save{std::move(*folder), 0};
    for (std::size_t row = 0; row < rows.RowCount(); ++row) {
        if (rows.IsTicked(row) && RowFileThere(fd, rows.Row(row), backupSize))
            ++save.filesThere;
    }
    ::close(fd);
    if (save.filesThere == 0)
        return std::nullopt;
    return save;
}

std::optional<OutputRoot> OpenSaveRoot(const std::string& destination, const std::string& prefix,
                                       const ExtractionOptions& options, ExtractionReport& report)
{
    std::optional<OutputRoot> root;
    if (options.continueSave)
        root = options.continueIn.empty() ? OutputRoot::OpenLatest(destination, prefix, &report.rootError)
                                          : OutputRoot::OpenEarlier(options.continueIn, &report.rootError);
    report.continued = root.has_value();
    if (!root)
        root = OutputRoot::Create(destination, prefix, &report.rootError);
    report.rootCreated = root.has_value();
    if (root)
        report.rootFolder = root->Path();
    return root;
}
