// SPDX-License-Identifier: GPL-3.0-or-later
#include "cached_scan.h"

#include "catalogue_cache_scan.h"
#include "messages.h"
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

} // namespace

ScanOutcome ScanOrUseCache(const BkfFileHandle& file, CatalogueSink& catalogue, ScanReport& report,
                           TerminalProgress& progress, const CliOptions& options, FolderDateSink* folderDates,
                           ScanProgress* ownLine)
{
    ScanOutcome outcome;
    const auto scan = [&](CatalogueSink& rows, FolderDateSink* dates) {
        outcome = ScanWithProgress(file, rows, report, progress, RunFlag(), options.debug, ScanOptions{options.deep},
                                   dates, ownLine);
        return outcome.completed;
    };
    CachedScanNotices notices;
    notices.fromCache = [&options](std::int64_t scannedAt) {
        if (!options.quiet)
            PrintMessage("catalogue from the scan of " + LocalDate(scannedAt) + "; --rescan to scan again");
    };
    notices.notKept = [&options](const std::string& why) {
        if (options.verbose)
            PrintMessage("warning: " + why + "; going on without a catalogue cache");
    };
    const CatalogueCacheUse use{!options.noCache && !options.rescan, !options.noCache};
    const CachedScanOutcome run =
        ScanOrLoadCache(file, options.deep, use, CachedScanSinks{catalogue, folderDates}, report, RunFlag(), scan, notices);
    if (run.fromCache)
        outcome = ScanOutcome{run.completed, 0, true, run.scannedAt};
    else
        outcome.scannedAt = static_cast<std::int64_t>(std::time(nullptr));
    return outcome;
}
