// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-recover extract: checks DEST, scans the backup, ticks the chosen rows
// and saves them.

#include "backup_scan.h"
#include "bkf_scanner.h"
#include "catalogue_collector.h"
#include "commands.h"
#include "destination_check.h"
#include "display_path.h"
#include "human_units.h"
#include "messages.h"
#include "path_filter.h"
#include "run_summary.h"
#include "save_progress.h"
#include "standard_output.h"
#include "stop_signals.h"
#include "terminal.h"

namespace {

const char kSaveNotice[] = "\nbkf-recover: stopping after the current file; press Ctrl-C again to stop now\n";

// Ticks the rows the patterns choose; warns about each --include that
// matched nothing. False when such a warning was given.
bool TickChosenRows(CatalogueStore& store, const CliOptions& options)
{
    PathFilter filter(options.includes, options.excludes, options.caseSensitive);
    for (std::size_t row = 0; row < store.RowCount(); ++row)
        store.SetTicked(row, filter.Chooses(DisplayPath(store.Path(row))));
    const std::vector<std::string> unmatched = filter.UnmatchedIncludes();
    for (const std::string& pattern : unmatched)
        PrintMessage("--include '" + pattern + "' matched no file");
    return unmatched.empty();
}

void PrintFailures(const ExtractionReport& report)
{
    for (const SaveFailure& failure : report.failures)
        PrintMessage(DisplayPath(failure.path) + ": " + DescribeFailure(failure));
}

int ExitStatusOf(const ExtractionReport& report, bool allPatternsMatched)
{
    if (StopSignal() != 0 || !report.completed)
        return StoppedExitStatus();
    return report.failures.empty() && allPatternsMatched ? kExitOk : kExitIncomplete;
}

// Saves the ticked rows and reports; returns the exit status.
int Save(const BkfFileHandle& backup, const CatalogueStore& store, const CliOptions& options,
         TerminalProgress& terminal, const RateMeter& clock, bool allPatternsMatched)
{
    BkfScanner scanner;
    SetStoppableExtraction(&scanner);
    SetStopNotice(kSaveNotice);
    scanner.SetDestinationFolder(options.destination);
    SaveProgress progress(store.TickedCount(), scanner, terminal, options.verbose);
    const ExtractionReport report = scanner.ExtractCheckedFiles(backup, store, options.prefix, progress);
    SetStoppableExtraction(nullptr);
    progress.Finish();
    if (!report.rootCreated) {
        PrintMessage(options.destination + ": cannot create the output folder: " + report.rootError);
        return kExitFailure;
    }
    WriteOut(report.rootFolder + "\n");
    const bool written = FlushOut();
    PrintFailures(report);
    const std::string summary = SaveSummary(report, store.TickedCount(), clock.Seconds());
    if (!report.completed || StopSignal() != 0)
        PrintMessage("interrupted; " + summary);
    else if (!options.quiet)
        PrintMessage(summary);
    return written ? ExitStatusOf(report, allPatternsMatched) : kExitFailure;
}

} // namespace

int RunExtract(const CliOptions& options)
{
    BkfFileHandle backup;
    if (!OpenBackup(backup, options.backup))
        return kExitFailure;
    const std::string problem = DestinationProblem(options.destination);
    if (!problem.empty()) {
        PrintMessage(options.destination + ": " + problem);
        return kExitFailure;
    }
    InstallStopSignals();
    if (StdoutSharesTerminalWithStderr())
        LineBufferOut();

    const RateMeter clock;
    TerminalProgress terminal(ChooseProgressStyle(options));
    CatalogueStore store;
    CatalogueCollector collector(store);
    if (!ScanWithProgress(backup, collector, terminal, RunFlag(), options.debug).completed) {
        PrintMessage("interrupted while scanning; nothing was saved");
        return StoppedExitStatus();
    }
    if (store.RowCount() == 0) {
        PrintNoData(options.backup);
        return kExitNoData;
    }
    const bool allPatternsMatched = TickChosenRows(store, options);
    if (store.TickedCount() == 0) {
        if (!options.quiet)
            PrintMessage("no file chosen; nothing was saved");
        return allPatternsMatched ? kExitOk : kExitIncomplete;
    }
    return Save(backup, store, options, terminal, clock, allPatternsMatched);
}
