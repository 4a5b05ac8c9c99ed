// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-recover mount: scans the backup, then shows what `extract` would save
// as a read-only folder until it is unmounted.

#include "cached_scan.h"
#include "catalogue_collector.h"
#include "commands.h"
#include "file_system.h"
#include "human_units.h"
#include "messages.h"
#include "mount_filesystem.h"
#include "mount_tree.h"
#include "run_summary.h"
#include "stop_signals.h"
#include "terminal.h"

#include <csignal>
#include <ctime>

#include <sys/stat.h>

namespace {

// Why `path` cannot be mounted on, or nothing.
std::string MountpointProblem(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return LastSystemError();
    return S_ISDIR(info.st_mode) ? std::string() : "Not a directory";
}

std::uint64_t SetsOf(const CatalogueStore& store)
{
    SetCounter sets;
    for (std::size_t row = 0; row < store.RowCount(); ++row)
        sets.Add(store.Path(row));
    return sets.Sets();
}

// The mount ends on the same signals as the scan; libfuse takes them over
// only from their default handling.
void HandSignalsToMount()
{
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, SIG_DFL);
}

} // namespace

int RunMount(const CliOptions& options)
{
    const std::string problem = MountpointProblem(options.destination);
    if (!problem.empty()) {
        PrintMessage("cannot mount at " + options.destination + ": " + problem);
        return kExitFailure;
    }
    BkfFileHandle backup;
    if (!OpenBackup(backup, options.backup))
        return kExitFailure;
    InstallStopSignals();
    const RateMeter clock;
    TerminalProgress progress(ChooseProgressStyle(options));
    CatalogueStore store;
    CatalogueCollector collector(store);
    ScanReport report;
    const ScanOutcome scan = ScanOrUseCache(backup, collector, report, progress, options, &collector);
    if (!scan.completed) {
        PrintMessage("interrupted; nothing mounted");
        return StoppedExitStatus();
    }
    if (NothingReadable(backup, report))
        return kExitFailure;
    if (store.RowCount() == 0)
        return EndOfEmptyScan(options.backup, report, options.verbose || options.debug);
    if (!options.quiet)
        PrintMessage(ListSummary(store.ListedFileCount(), SetsOf(store), clock.Seconds()));
    PrintScanReport(report, options.verbose || options.debug);

    const MountTree tree(store, backup.Size().value_or(0), static_cast<std::int64_t>(std::time(nullptr)));
    HandSignalsToMount();
    const auto mounted = [&options] {
        if (!options.quiet)
            PrintMessage("mounted at " + options.destination + "; unmount with: fusermount3 -u "
                         + options.destination);
    };
    std::string why;
    if (!ServeMount(tree, backup, options.destination, mounted, &why)) {
        PrintMessage(why);
        return kExitFailure;
    }
    return kExitOk;
}
