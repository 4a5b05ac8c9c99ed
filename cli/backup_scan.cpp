#include "backup_scan.h"

#include "terminal_progress.h"

#include <csignal>
#include <cstdio>

namespace {

std::atomic<bool> g_running{true};

extern "C" void OnInterrupt(int)
{
    // Only a lock-free atomic store: safe in a signal handler.
    g_running.store(false);
}

class TerminalScanSinks : public FolderPathSink, public ScanProgress, public DiagnosticTrace {
public:
    explicit TerminalScanSinks(bool verbose) : m_verbose(verbose) {}

    void AddPath(std::string_view) override {}
    void FileCountChanged(std::uint64_t filesFound) override { m_files = filesFound; }
    void WindowScanned(std::uint64_t position, std::uint64_t fileSize) override
    {
        if (!m_progress.Enabled())
            return;
        m_progress.Show("Scanning " + HumanBytes(position) + " of " + HumanBytes(fileSize) + " ("
                        + std::to_string(ProgressPercent(position, fileSize)) + "%), "
                        + std::to_string(m_files) + " files found");
    }
    void Trace(std::string_view text) override
    {
        if (!m_verbose)
            return;
        m_progress.Clear();
        std::fwrite(text.data(), 1, text.size(), stderr);
    }
    void Finish()
    {
        m_progress.Clear();
        if (m_verbose)
            std::fputc('\n', stderr);
    }

private:
    bool m_verbose;
    std::uint64_t m_files = 0;
    TerminalProgress m_progress;
};

} // namespace

bool OpenBackup(BkfFileHandle& file, const std::string& path)
{
    if (file.Open(path))
        return true;
    std::fprintf(stderr, "bkf-recover: cannot open %s: %s\n", path.c_str(), file.LastError().c_str());
    return false;
}

bool ScanWithProgress(const BkfFileHandle& file, CatalogueSink& catalogue, ScanReport& report, bool verbose)
{
    TerminalScanSinks sinks(verbose);
    const bool completed = ScanCatalogue(file, g_running, ScanSinks{catalogue, sinks, sinks, &sinks}, report);
    sinks.Finish();
    return completed;
}

void PrintScanReport(const ScanReport& report, bool verbose)
{
    const std::string summary = ScanReportSummary(report);
    if (summary.empty())
        return;
    std::fprintf(stderr, "bkf-recover: scan report: %s\n", summary.c_str());
    if (!verbose)
        return;
    for (const std::string& line : ScanReportDetails(report))
        std::fprintf(stderr, "  %s\n", line.c_str());
}

bool NothingReadable(const BkfFileHandle& file, const ScanReport& report)
{
    const std::uint64_t size = file.Size().value_or(0);
    if (size == 0 || TotalLength(report.unreadable) < size)
        return false;
    std::fprintf(stderr, "bkf-recover: cannot read %s: %s\n", file.Path().c_str(),
                 report.readError.empty() ? "Input/output error" : report.readError.c_str());
    return true;
}

std::atomic<bool>& CliRunningFlag()
{
    return g_running;
}

void InstallInterruptHandler()
{
    std::signal(SIGINT, OnInterrupt);
#ifdef SIGTERM
    std::signal(SIGTERM, OnInterrupt);
#endif
}

void PrintNoData()
{
    std::fprintf(stderr, "No data found in backup file\n");
}
