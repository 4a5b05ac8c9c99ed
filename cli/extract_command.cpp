// bkf-recover extract: scans the backup, ticks the chosen rows and saves them.

#include "backup_scan.h"
#include "bkf_scanner.h"
#include "catalogue_collector.h"
#include "commands.h"
#include "display_path.h"
#include "extraction_progress.h"
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
    TerminalExtractionProgress(std::size_t filesChosen, BkfScanner& scanner)
        : m_filesChosen(filesChosen), m_scanner(scanner)
    {
    }

    void Begin(std::size_t, std::uint64_t bytesChosen) override
    {
        // The extraction sets its running flag just before Begin: a Ctrl-C
        // that came earlier (after the scan) would otherwise be lost.
        if (!CliRunningFlag().load())
            m_scanner.StopScan();
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
        const int percent = m_bytesChosen ? static_cast<int>(m_bytesCopied * 100.0 / m_bytesChosen) : 100;
        m_terminal.Show("Saving file " + std::to_string(m_filesStarted) + " of " + std::to_string(m_filesChosen)
                            + ", " + HumanBytes(m_bytesCopied) + " of " + HumanBytes(m_bytesChosen) + " ("
                            + std::to_string(percent) + "%), " + HumanBytes(static_cast<std::uint64_t>(rate))
                            + "/s, " + HumanDuration(left) + " left",
                        force);
    }

    TerminalProgress m_terminal;
    std::size_t m_filesChosen;
    BkfScanner& m_scanner;
    std::size_t m_filesStarted = 0;
    std::uint64_t m_bytesChosen = 0;
    std::uint64_t m_bytesCopied = 0;
    std::chrono::steady_clock::time_point m_start;
};

void PrintReport(const ExtractionReport& report)
{
    for (const SaveFailure& failure : report.failures)
        std::fprintf(stderr, "%s: %s\n", DisplayPath(failure.path).c_str(), DescribeFailure(failure).c_str());
}

} // namespace

int RunExtract(const CliOptions& options)
{
    BkfFileHandle backup;
    if (!OpenBackup(backup, options.backup))
        return kExitFailure;
    BkfScanner scanner;
    InstallInterruptHandler(&scanner);

    CatalogueStore store;
    CatalogueCollector collector(store);
    if (!ScanWithProgress(backup, collector, options.verbose)) {
        std::fprintf(stderr, "bkf-recover: interrupted while scanning; nothing was saved\n");
        return kExitInterrupted;
    }
    if (store.RowCount() == 0) {
        PrintNoData();
        return kExitNoData;
    }
    TickChosenRows(store, options);

    scanner.SetDestinationFolder(options.destination);
    TerminalExtractionProgress progress(store.TickedCount(), scanner);
    const ExtractionReport report = scanner.ExtractCheckedFiles(backup, store, options.prefix, progress);
    progress.Finish();
    if (!report.rootCreated) {
        std::fprintf(stderr, "bkf-recover: cannot create the output folder in %s: %s\n",
                     options.destination.c_str(), report.rootError.c_str());
        return kExitFailure;
    }
    std::printf("%s\n", report.rootFolder.c_str());
    std::fflush(stdout);
    PrintReport(report);
    if (!report.completed || !CliRunningFlag().load()) {
        std::fprintf(stderr, "bkf-recover: interrupted; %zu files saved completely in %s\n", report.filesSaved,
                     report.rootFolder.c_str());
        return kExitInterrupted;
    }
    if (!report.failures.empty()) {
        std::fprintf(stderr, "bkf-recover: %zu of %zu files not saved completely\n",
                     store.TickedCount() - report.filesSaved, store.TickedCount());
        return kExitIncomplete;
    }
    return kExitOk;
}
