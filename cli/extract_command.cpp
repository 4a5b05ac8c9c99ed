// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-recover extract: checks DEST, then scans the backup and saves each
// chosen row as the scan comes to it.

#include "cached_scan.h"
#include "catalogue_cache_scan.h"
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
#include "streaming_extraction.h"
#include "terminal.h"

#include <optional>

namespace {

const char kSaveNotice[] = "\nbkf-recover: stopping after the current file; press Ctrl-C again to stop now\n";

// Data that differ from the checksum of a row of the kept catalogue more
// likely mean a backup changed since that scan than damage in it.
const char kDamagedSinceScanText[] =
    "its data differ from the checksum the earlier scan found; if the backup changed since, --rescan to scan it again";

// One line per file saved under another name or not saved completely.
void PrintSaveReport(const ExtractionReport& report, bool fromCache)
{
    const auto shown = [](const std::string& path) { return PrintableName(DisplayPath(path)); };
    for (const RenamedFile& renamed : report.renamed)
        PrintMessage(shown(renamed.path) + ": saved as " + shown(renamed.savedAs));
    for (const SaveFailure& failure : report.failures)
        PrintMessage(shown(failure.path) + ": " + DescribeFailure(failure));
    for (const KeptAside& kept : report.keptAside)
        PrintMessage(shown(kept.path) + ": " + PrintableName(DescribeKeptAside(kept)));
    if (const std::string full = DiskFullSummary(report); !full.empty())
        PrintMessage(full);
    for (const DamagedFile& damaged : report.damaged)
        PrintMessage(shown(damaged.path) + ": " + (fromCache ? kDamagedSinceScanText : kDamagedDataText));
    for (const DamagedFile& lost : report.checksumLost)
        PrintMessage(shown(lost.path) + ": " + kChecksumLostText);
}

// The counts of the data check, when there are any, with -v each file it
// could not check, and the dates when asked for (-v) or when the file
// system refused some.
void PrintChecks(const ExtractionReport& report, const CliOptions& options)
{
    const std::string check = DataCheckSummary(report);
    if (!check.empty())
        PrintMessage(check);
    for (const DamagedFile& file : report.unchecked)
        PrintMessage(PrintableName(DisplayPath(file.path)) + ": not checked: no checksum recorded, or not saved whole");
    if (options.times && (options.verbose || report.datesRefused > 0))
        PrintMessage(DatesSummary(report));
}

// What the save's data checks found is kept with the catalogue, for the
// next list, mount or window.
void KeepChecks(const BkfFileHandle& backup, const ExtractionReport& report, const CliOptions& options)
{
    if (options.noCache)
        return;
    std::vector<std::size_t> damaged;
    for (const DamagedFile& file : report.damaged)
        damaged.push_back(file.row);
    std::string why;
    if (!KeepDataChecks(backup, options.deep, report.verifiedRows, damaged, &why) && options.verbose)
        PrintMessage("warning: " + why + "; the files' states are not kept");
}

// A passed-over file block whose checksum held is a lost file too, a lost
// set block may have put files in the wrong set, and a file whose checksum
// was lost may be damaged.
int ExitStatusOf(const ExtractionReport& report, const ScanReport& scan, bool allPatternsMatched)
{
    if (StopSignal() != 0 || !report.completed)
        return StoppedExitStatus();
    const bool complete =
        report.LossCount() == 0 && !scan.FilesMayBeMissing() && report.damaged.empty() && report.checksumLost.empty();
    return complete && allPatternsMatched ? kExitOk : kExitIncomplete;
}

// The end of a run that saved nothing: nothing readable, no row at all, or
// no row chosen. Nothing when files were saved (or tried).
std::optional<int> EndWithoutSave(const BkfFileHandle& backup, const StreamingExtraction& save,
                                  const ScanReport& report, const CliOptions& options, bool allPatternsMatched)
{
    if (NothingReadable(backup, report))
        return kExitFailure;
    if (save.RowsSeen() == 0)
        return EndOfEmptyScan(options.backup, report, options.verbose || options.debug);
    if (save.RowsChosen() > 0)
        return std::nullopt;
    if (!options.quiet)
        PrintMessage("no file chosen; nothing was saved");
    PrintScanReport(report, options.verbose || options.debug);
    return allPatternsMatched ? kExitOk : kExitIncomplete;
}

// Reports a save that was made; returns the exit status.
int ReportSave(const ExtractionReport& report, const ScanReport& scan, const CliOptions& options,
               std::size_t chosen, double seconds, bool allPatternsMatched, bool fromCache)
{
    if (!report.rootCreated) {
        PrintMessage(options.destination + ": cannot create the output folder: " + report.rootError);
        return kExitFailure;
    }
    WriteOut(report.rootFolder + "\n");
    const bool written = FlushOut();
    PrintSaveReport(report, fromCache);
    const std::string summary = SaveSummary(report, chosen, seconds);
    if (!report.completed || StopSignal() != 0)
        PrintMessage("interrupted; " + summary);
    else if (!options.quiet)
        PrintMessage(summary);
    if (!options.quiet)
        PrintChecks(report, options);
    PrintScanReport(scan, options.verbose || options.debug);
    return written ? ExitStatusOf(report, scan, allPatternsMatched) : kExitFailure;
}

} // namespace

// One pass: each chosen row is saved as the scan reports it, so the backup is
// read from the disk once and no catalogue is kept.
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
    SetStopNotice(kSaveNotice);
    if (StdoutIsTerminal())
        LineBufferOut();

    const RateMeter clock;
    TerminalProgress terminal(ChooseProgressStyle(options));
    SaveProgress progress(backup.Size().value_or(0), terminal, options.verbose);
    PathFilter filter(options);
    StreamingExtraction save(
        backup, options.destination, options.prefix,
        [&filter](std::string_view path) { return filter.Chooses(DisplayPath(path)); }, progress,
        ExtractionOptions{options.times, options.continueSave, options.verbose});
    ScanReport scan;
    const ScanOutcome outcome = ScanOrUseCache(backup, save, scan, terminal, options, &save, &progress);
    const ExtractionReport report = save.Finish(outcome.completed);
    progress.Finish();
    if (!outcome.completed && save.RowsChosen() == 0) {
        PrintMessage("interrupted while scanning; nothing was saved");
        return StoppedExitStatus();
    }
    const bool allPatternsMatched = WarnUnmatched(filter);
    if (const auto status = EndWithoutSave(backup, save, scan, options, allPatternsMatched))
        return *status;
    KeepChecks(backup, report, options);
    return ReportSave(report, scan, options, save.RowsChosen(), clock.Seconds(), allPatternsMatched,
                      outcome.fromCache);
}
