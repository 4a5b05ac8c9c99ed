// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-recover verify: scans the backup (or takes its kept catalogue), reads
// the data of the chosen files and compares each with its recorded checksum.
// Nothing is written but the kept catalogue, which then holds the states.

#include "cached_scan.h"
#include "catalogue_cache_scan.h"
#include "commands.h"
#include "data_check.h"
#include "display_path.h"
#include "extraction_progress.h"
#include "human_units.h"
#include "messages.h"
#include "path_filter.h"
#include "stop_signals.h"
#include "terminal.h"

#include <algorithm>

namespace {

const char kCheckNotice[] = "\nbkf-recover: stopping the check\n";

// "Checking: 1.0 GiB of 4.0 GiB (25%), 12 files, 180 MiB/s, 0:17 left".
class CheckProgress : public ExtractionProgress {
public:
    explicit CheckProgress(TerminalProgress& terminal) : m_terminal(terminal) {}

    void Begin(std::size_t, std::uint64_t bytesChosen) override { m_total = bytesChosen; }
    void FileStarted(std::size_t, std::string_view) override { ++m_files; }
    void BytesCopied(std::uint64_t bytes) override
    {
        m_done += bytes;
        if (!m_terminal.Enabled())
            return;
        const int percent = m_total == 0 ? 100 : static_cast<int>(m_done * 100 / std::max<std::uint64_t>(m_total, 1));
        m_terminal.Show("Checking: " + HumanBytes(m_done) + " of " + HumanBytes(m_total) + " (" + std::to_string(percent)
                        + "%), " + CountOf(m_files, "file", "files") + ", " + m_meter.RateAndTimeLeft(m_done, m_total));
    }
    void RowDone(std::size_t) override {}
    bool StopNow() override { return !RunFlag().load(std::memory_order_relaxed); }

    void Finish() { m_terminal.Clear(); }

private:
    TerminalProgress& m_terminal;
    std::uint64_t m_total = 0;
    std::uint64_t m_done = 0;
    std::uint64_t m_files = 0;
    RateMeter m_meter;
};

void KeepStates(const BkfFileHandle& backup, const CatalogueWithFolders& catalogue, const ScanReport& scan,
                std::int64_t scannedAt, const CliOptions& options)
{
    std::string why;
    if (!options.noCache && !KeepCatalogue(backup, catalogue.store, catalogue.folders, scan, scannedAt, &why)
        && options.verbose)
        PrintMessage("warning: " + why + "; the files' states are not kept");
}

std::vector<std::size_t> ChosenRows(const CatalogueStore& store, PathFilter& filter)
{
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < store.RowCount(); ++row) {
        if (filter.Chooses(DisplayPath(store.Path(row))))
            rows.push_back(row);
    }
    return rows;
}

std::string Shown(std::string_view cataloguePath)
{
    return PrintableName(DisplayPath(cataloguePath));
}

void PrintProblems(const DataCheckReport& report, const CatalogueStore& store, const std::vector<std::size_t>& rows,
                   bool verbose)
{
    for (const CheckedFile& file : report.problems)
        PrintMessage(Shown(file.path) + ": " + DescribeCheckedFile(file));
    if (!verbose)
        return;
    for (const std::size_t row : rows) {
        if (store.Status(row) == RowStatus::NoChecksum)
            PrintMessage(Shown(store.Path(row)) + ": no checksum recorded: not checked");
    }
}

} // namespace

int RunVerify(const CliOptions& options)
{
    BkfFileHandle backup;
    if (!OpenBackup(backup, options.backup))
        return kExitFailure;
    InstallStopSignals();
    SetStopNotice(kCheckNotice);
    const RateMeter clock;
    TerminalProgress terminal(ChooseProgressStyle(options));
    CatalogueWithFolders catalogue;
    CatalogueStore& store = catalogue.store;
    ScanReport scan;
    const ScanOutcome outcome = ScanOrUseCache(backup, catalogue, scan, terminal, options, &catalogue);
    if (!outcome.completed) {
        PrintMessage("interrupted while scanning; nothing was checked");
        return StoppedExitStatus();
    }
    if (NothingReadable(backup, scan))
        return kExitFailure;
    if (store.RowCount() == 0)
        return EndOfEmptyScan(options.backup, scan, options.verbose || options.debug);

    PathFilter filter(options);
    const std::vector<std::size_t> rows = ChosenRows(store, filter);
    const bool allPatternsMatched = WarnUnmatched(filter);
    CheckProgress progress(terminal);
    const DataCheckReport report = CheckData(backup, store, rows, progress, RunFlag(),
                                             [&store](std::size_t row, bool intact) { store.NoteDataCheck(row, intact); });
    progress.Finish();
    KeepStates(backup, catalogue, scan, outcome.scannedAt, options);
    PrintProblems(report, store, rows, options.verbose);
    const std::string summary = DataCheckReportSummary(report) + " in " + HumanSeconds(clock.Seconds());
    if (!report.completed) {
        PrintMessage("interrupted; " + summary);
        return StoppedExitStatus();
    }
    if (!options.quiet)
        PrintMessage(summary);
    PrintScanReport(scan, options.verbose || options.debug);
    return report.AllSound() && allPatternsMatched ? kExitOk : kExitIncomplete;
}
