// SPDX-License-Identifier: GPL-3.0-or-later
#include "cached_scan.h"

#include "cache_folder.h"
#include "catalogue_cache.h"
#include "messages.h"
#include "output_root.h"
#include "stop_signals.h"

#include <ctime>

namespace {

std::string LocalDate(std::int64_t seconds)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local {};
    char text[32] = "?";
    if (::localtime_r(&time, &local))
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

void Warn(const CliOptions& options, const std::string& text)
{
    if (options.verbose)
        PrintMessage("warning: " + text + "; going on without a catalogue cache");
}

} // namespace

ScanOutcome ScanOrUseCache(const BkfFileHandle& file, CatalogueSink& catalogue, ScanReport& report,
                           TerminalProgress& progress, const CliOptions& options, FolderDateSink* folderDates,
                           ScanProgress* ownLine)
{
    const auto scan = [&](CatalogueSink& rows, FolderDateSink* dates) {
        return ScanWithProgress(file, rows, report, progress, RunFlag(), options.debug, ScanOptions{options.deep},
                                dates, ownLine);
    };
    const std::string folder = options.noCache ? std::string() : CatalogueCacheFolder();
    const auto identity = folder.empty() ? std::nullopt : IdentifyBackup(file);
    if (!identity)
        return scan(catalogue, folderDates);
    if (!options.rescan) {
        const auto notice = [&options](std::int64_t scannedAt) {
            if (!options.quiet)
                PrintMessage("catalogue from the scan of " + LocalDate(scannedAt) + "; --rescan to scan again");
        };
        const CacheLoad load =
            LoadCatalogueCache(folder, *identity, options.deep, catalogue, folderDates, report, RunFlag(), notice);
        if (load.found)
            return ScanOutcome{load.completed, 0};
    }
    std::string why;
    if (!CreateFolderChain(folder + "/", &why)) {
        Warn(options, "cannot create " + folder + ": " + why);
        return scan(catalogue, folderDates);
    }
    CatalogueCacheWriter cache(folder, *identity, options.deep, catalogue, folderDates);
    const ScanOutcome outcome = scan(cache, &cache);
    if (!outcome.completed)
        return outcome;
    const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    if (!cache.Commit(report, now, &why))
        Warn(options, folder + ": " + why);
    TrimCacheFolder(folder, now);
    return outcome;
}
