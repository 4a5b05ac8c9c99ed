// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-recover extract: checks DEST, scans the backup, ticks the chosen rows
// and saves them.

#include "backup_scan.h"
#include "catalogue_collector.h"
#include "commands.h"
#include "destination_check.h"
#include "display_path.h"
#include "file_extraction.h"
#include "human_units.h"
#include "messages.h"
#include "path_filter.h"
#include "run_summary.h"
#include "save_progress.h"
#include "standard_output.h"
#include "stop_signals.h"
#include "terminal.h"

#include <optional>

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

// One line per file saved under another name or not saved completely.
void PrintSaveReport(const ExtractionReport& report)
{
    const auto shown = [](const std::string& path) { return PrintableName(DisplayPath(path)); };
    for (const RenamedFile& renamed : report.renamed)
        PrintMessage(shown(renamed.path) + ": saved as " + shown(renamed.savedAs));
    for (const SaveFailure& failure : report.failures)
        PrintMessage(shown(failure.path) + ": " + DescribeFailure(failure));
    if (const std::string full = DiskFullSummary(report); !full.empty())
        PrintMessage(full);
    for (const DamagedFile& damaged : report.damaged)
        PrintMessage(shown(damaged.path) + ": " + kDamagedDataText);
}

// The counts of the data check, when there are any, and of the dates when
// asked for (-v) or when the file system refused some.
void PrintChecks(const ExtractionReport& report, const CliOptions& options)
{
    const std::string check = DataCheckSummary(report);
    if (!check.empty())
        PrintMessage(check);
    if (options.times && (options.verbose || report.datesRefused > 0))
        PrintMessage(DatesSummary(report));
}

// A passed-over file block whose checksum held is a lost file too.
int ExitStatusOf(const ExtractionReport& report, const ScanReport& scan, bool allPatternsMatched)
{
    if (StopSignal() != 0 || !report.completed)
        return StoppedExitStatus();
    const bool complete =
        report.LossCount() == 0 && scan.VerifiedFilesPassedOver() == 0 && report.damaged.empty();
    return complete && allPatternsMatched ? kExitOk : kExitIncomplete;
}

struct ScannedBackup {
    const BkfFileHandle& file;
    const CatalogueStore& store;
    const ScanReport& report;
};

// Saves the ticked rows and reports; returns the exit status.
int Save(const ScannedBackup& backup, const CliOptions& options, TerminalProgress& terminal, const RateMeter& clock,
         bool allPatternsMatched)
{
    SetStopNotice(kSaveNotice);
    SaveProgress progress(backup.store.TickedCount(), terminal, options.verbose);
    const ExtractionReport report = ExtractCheckedFiles(backup.file, backup.store, options.destination,
                                                        options.prefix, RunFlag(), progress,
                                                        ExtractionOptions{options.times});
    progress.Finish();
    if (!report.rootCreated) {
        PrintMessage(options.destination + ": cannot create the output folder: " + report.rootError);
        return kExitFailure;
    }
    WriteOut(report.rootFolder + "\n");
    const bool written = FlushOut();
    PrintSaveReport(report);
    const std::string summary = SaveSummary(report, backup.store.TickedCount(), clock.Seconds());
    if (!report.completed || StopSignal() != 0)
        PrintMessage("interrupted; " + summary);
    else if (!options.quiet)
        PrintMessage(summary);
    if (!options.quiet)
        PrintChecks(report, options);
    PrintScanReport(backup.report, options.verbose || options.debug);
    return written ? ExitStatusOf(report, backup.report, allPatternsMatched) : kExitFailure;
}

// The scan's outcome when it leaves nothing to save, or nothing.
std::optional<int> EndWithoutSave(const BkfFileHandle& backup, const CatalogueStore& store,
                                  const ScanReport& report, const CliOptions& options)
{
    if (NothingReadable(backup, report))
        return kExitFailure;
    if (store.RowCount() > 0)
        return std::nullopt;
    return EndOfEmptyScan(options.backup, report, options.verbose || options.debug);
}

} // namespace

int RunExtract(const CliOptions& options)
{
    BkfFileHandle backup;
    if (!OpenBackup(backup, options.backup))
        return kExitFailure;
    PreparedDestination destination;
    const std::string problem = destination.Prepare(options.destination);
    if (!problem.empty()) {
        PrintMessage(options.destination + ": " + problem);
        return kExitFailure;
    }
    InstallStopSignals();
    if (StdoutIsTerminal())
        LineBufferOut();

    const RateMeter clock;
    TerminalProgress terminal(ChooseProgressStyle(options));
    CatalogueStore store;
    CatalogueCollector collector(store);
    ScanReport report;
    if (!ScanWithProgress(backup, collector, report, terminal, RunFlag(), options.debug, ScanOptions{options.deep},
                          &collector)
             .completed) {
        PrintMessage("interrupted while scanning; nothing was saved");
        return StoppedExitStatus();
    }
    if (const auto status = EndWithoutSave(backup, store, report, options))
        return *status;
    const bool allPatternsMatched = TickChosenRows(store, options);
    if (store.TickedCount() == 0) {
        if (!options.quiet)
            PrintMessage("no file chosen; nothing was saved");
        return allPatternsMatched ? kExitOk : kExitIncomplete;
    }
    return Save(ScannedBackup{backup, store, report}, options, terminal, clock, allPatternsMatched);
}
