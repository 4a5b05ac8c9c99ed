// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_dates.h"

#include "mtf_date.h"
#include "output_root.h"

namespace {

std::string CatalogueFolder(const std::vector<std::string>& components, std::size_t count)
{
    std::string joined;
    for (std::size_t i = 0; i < count; ++i)
        joined.append(i == 0 ? "" : "\\").append(components[i]);
    return joined;
}

// Counts the outcome of setting a date through `set` (which returns false
// when the system refuses it).
template <typename Set>
void SetDate(std::uint64_t modified, ExtractionReport& report, Set set)
{
    const auto seconds = MtfDateSeconds(modified);
    if (!seconds)
        ++report.datesUnknown;
    else if (set(*seconds))
        ++report.datesRestored;
    else
        ++report.datesRefused;
}

} // namespace

void FileDates::FileSaved(const std::vector<std::string>& components, const std::vector<std::string>& savedAs,
                          std::uint64_t modified, OutputFile& file, ExtractionReport& report)
{
    if (components.size() != savedAs.size() || components.empty())
        return;
    for (std::size_t depth = 1; depth < components.size(); ++depth)
        m_folders.emplace(CatalogueFolder(components, depth),
                          std::vector<std::string>(savedAs.begin(), savedAs.begin() + static_cast<std::ptrdiff_t>(depth)));
    SetDate(modified, report, [&](std::int64_t seconds) { return file.SetModified(seconds); });
}

void FileDates::SetFolderDates(const std::vector<FolderDate>& folders, ExtractionReport& report) const
{
    for (const FolderDate& folder : folders) {
        std::string path = folder.path;
        while (!path.empty() && path.back() == '\\')
            path.pop_back();
        const auto saved = m_folders.find(path);
        if (saved != m_folders.end())
            SetDate(folder.modified, report,
                    [&](std::int64_t seconds) { return m_root.SetFolderModified(saved->second, seconds); });
    }
}
