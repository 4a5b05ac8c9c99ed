// bkf-recover extract: scans the backup, ticks the chosen rows and saves them.

#include "backup_scan.h"
#include "catalogue_collector.h"
#include "commands.h"
#include "display_path.h"
#include "extraction_progress.h"
#include "file_extraction.h"
#include "glob_match.h"
#include "terminal_progress.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

bool MatchesAny(const std::vector<std::string>& patterns, const std::string& path)
{
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](const std::string& pattern) { return GlobMatch(pattern, path); });
}

// Ticks every row, or those an --include names and no --exclude does.
void TickChosenRows(CatalogueStore& store, const CliOptions& options)
{
    for (std::size_t row = 0; row < store.RowCount(); ++row) {
        const std::string path = DisplayPath(store.Path(row));
        const bool included = options.includes.empty() || MatchesAny(options.includes, path);
        store.SetTicked(row, included && !MatchesAny(options.excludes, path));
    }
}

class TerminalExtractionProgress : public ExtractionProgress {
public:
    explicit TerminalExtractionProgress(std::size_t filesChosen) : m_filesChosen(filesChosen) {}

    void Begin(std::size_t, std::uint64_t bytesChosen) override
    {
        m_bytesChosen = bytesChosen;
        m_start = std::chrono::steady_clock::now();
    }
    void FileStarted(std::size_t, std::string_view) override { ++m_filesStarted; }
    void BytesCopied(std::uint64_t bytes) override
    {
        m_bytesCopied += bytes;
        Draw(false);
    }
    void RowDone(std::size_t) override { Draw(false); }
    void Finish() { m_terminal.Clear(); }

private:
    void Draw(bool force)
    {
        if (!m_terminal.Enabled())
            return;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
        const double rate = seconds > 0 ? static_cast<double>(m_bytesCopied) / seconds : 0.0;
        const double left = rate > 0 ? static_cast<double>(m_bytesChosen - std::min(m_bytesChosen, m_bytesCopied)) / rate
                                     : -1.0;
        const double fraction = m_bytesChosen ? static_cast<double>(m_bytesCopied) / m_bytesChosen : 1.0;
        const int percent = static_cast<int>(std::min(fraction, 1.0) * 100.0);
        m_terminal.Show("Saving file " + std::to_string(m_filesStarted) + " of " + std::to_string(m_filesChosen)
                            + ", " + HumanBytes(m_bytesCopied) + " of " + HumanBytes(m_bytesChosen) + " ("
                            + std::to_string(percent) + "%), " + HumanBytes(static_cast<std::uint64_t>(rate))
                            + "/s, " + HumanDuration(left) + " left",
                        force);
    }

    TerminalProgress m_terminal;
    std::size_t m_filesChosen;
    std::size_t m_filesStarted = 0;
    std::uint64_t m_bytesChosen = 0;
    std::uint64_t m_bytesCopied = 0;
    std::chrono::steady_clock::time_point m_start;
};

void PrintReport(const ExtractionReport& report)
{
    for (const RenamedFile& renamed : report.renamed)
        std::fprintf(stderr, "%s: saved as %s\n", DisplayPath(renamed.path).c_str(),
                     DisplayPath(renamed.savedAs).c_str());
    for (const SaveFailure& failure : report.failures)
        std::fprintf(stderr, "%s: %s\n", DisplayPath(failure.path).c_str(), DescribeFailure(failure).c_str());
}

} // namespace

int RunExtract(const CliOptions& options)
{
    BkfFileHandle backup;
    if (!OpenBackup(backup, options.backup))
        return kExitFailure;
    InstallInterruptHandler();

    CatalogueStore store;
    CatalogueCollector collector(store);
    ScanReport scanReport;
    if (!ScanWithProgress(backup, collector, scanReport, options.verbose)) {
        std::fprintf(stderr, "bkf-recover: interrupted while scanning; nothing was saved\n");
        return kExitInterrupted;
    }
    if (NothingReadable(backup, scanReport))
        return kExitFailure;
    if (store.RowCount() == 0) {
        PrintScanReport(scanReport, options.verbose);
        PrintNoData();
        return kExitNoData;
    }
    TickChosenRows(store, options);

    TerminalExtractionProgress progress(store.TickedCount());
    const ExtractionReport report = ExtractCheckedFiles(backup, store, options.destination, options.prefix,
                                                        CliRunningFlag(), progress);
    progress.Finish();
    if (!report.rootCreated) {
        std::fprintf(stderr, "bkf-recover: cannot create the output folder in %s: %s\n",
                     options.destination.c_str(), report.rootError.c_str());
        return kExitFailure;
    }
    std::printf("%s\n", report.rootFolder.c_str());
    std::fflush(stdout);
    PrintReport(report);
    PrintScanReport(scanReport, options.verbose);
    if (!report.completed) {
        std::fprintf(stderr, "bkf-recover: interrupted; %zu files saved completely in %s\n", report.filesSaved,
                     report.rootFolder.c_str());
        return kExitInterrupted;
    }
    const std::size_t losses = report.LossCount();
    if (losses > 0)
        std::fprintf(stderr, "bkf-recover: %zu of %zu files not saved completely\n", losses, store.TickedCount());
    return losses > 0 || scanReport.VerifiedFilesPassedOver() > 0 ? kExitIncomplete : kExitOk;
}
