// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup_scan.h"

#include "commands.h"
#include "guarded_catalogue.h"
#include "human_units.h"
#include "unreadable_backup.h"
#include "messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <sys/stat.h>

namespace {

class TerminalScanSinks : public FolderPathSink, public ScanProgress, public DiagnosticTrace {
public:
    TerminalScanSinks(TerminalProgress& progress, bool debug) : m_progress(progress), m_debug(debug) {}

    void AddPath(std::string_view) override {}
    void FileCountChanged(std::uint64_t filesFound) override { m_files = filesFound; }
    void WindowScanned(std::uint64_t position, std::uint64_t fileSize) override
    {
        if (!m_progress.Enabled())
            return;
        m_progress.Show("Scanning " + HumanBytes(position) + " of " + HumanBytes(fileSize) + " ("
                        + std::to_string(ProgressPercent(position, fileSize)) + "%), "
                        + CountOf(m_files, "file", "files") + " found, "
                        + m_meter.RateAndTimeLeft(position, fileSize));
    }
    void Trace(std::string_view text) override
    {
        if (!m_debug)
            return;
        m_progress.Clear();
        std::fwrite(text.data(), 1, text.size(), stderr);
    }
    void Finish()
    {
        m_progress.Clear();
        if (m_debug)
            std::fputc('\n', stderr);
    }
    std::uint64_t Files() const { return m_files; }

private:
    TerminalProgress& m_progress;
    bool m_debug;
    std::uint64_t m_files = 0;
    RateMeter m_meter;
};

// The scan reads the backup by position: standard input, a pipe or a
// terminal cannot be read that way. Asked before opening, since opening a
// pipe waits for its writer.
std::string UnseekableReason(const std::string& path)
{
    if (path == "-")
        return "cannot read a backup from standard input: the scan needs a file it can seek in";
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode) || S_ISBLK(info.st_mode) || S_ISDIR(info.st_mode))
        return {};
    return "Not a regular file: the scan needs a file it can seek in";
}

} // namespace

bool OpenBackup(BkfFileHandle& file, const std::string& path)
{
    const std::string unseekable = UnseekableReason(path);
    if (!unseekable.empty()) {
        PrintMessage(path + ": " + unseekable);
        return false;
    }
    if (file.Open(path))
        return true;
    PrintMessage("cannot open " + path + ": " + file.LastError());
    return false;
}

ScanOutcome ScanWithProgress(const BkfFileHandle& file, CatalogueSink& catalogue, ScanReport& report,
                             TerminalProgress& progress, const std::atomic<bool>& running, bool debug,
                             const ScanOptions& options, FolderDateSink* folderDates, ScanProgress* ownLine)
{
    TerminalScanSinks sinks(progress, debug);
    GuardedCatalogue rows(catalogue);
    ScanOptions scanOptions = options;
    scanOptions.countCoveredTags = debug;
    ScanOutcome outcome;
    outcome.completed = ScanCatalogue(
        file, running, ScanSinks{rows, sinks, ownLine ? *ownLine : sinks, &sinks, folderDates}, report, scanOptions);
    report.rowsNotAdded = rows.NotAdded();
    outcome.filesFound = sinks.Files();
    sinks.Finish();
    if (debug && report.coveredTags > 0)
        PrintMessage("debug: " + CountOf(report.coveredTags, "block tag", "block tags")
                     + " inside the bytes of a block taken as data");
    return outcome;
}

void PrintScanReport(const ScanReport& report, bool details)
{
    const std::string summary = ScanReportSummary(report);
    if (!summary.empty()) {
        PrintMessage("scan report: " + summary);
        for (const std::string& line : details ? ScanReportDetails(report) : NotFoundDetails(report))
            std::fprintf(stderr, "  %s\n", line.c_str());
    }
    const std::string hint = DeepScanSuggestion(report);
    if (!hint.empty())
        PrintMessage("hint: " + hint + " (--deep)");
    for (const std::string& note : details ? report.setCatalogueNotes : std::vector<std::string>())
        PrintMessage("set catalogue: " + note);
    if (details && report.offGridBlocks > 0)
        PrintMessage("deep scan: " + CountOf(report.offGridBlocks, "block", "blocks") + " found off the 512-byte grid");
}

bool NothingReadable(const BkfFileHandle& file, const ScanReport& report)
{
    const auto reason = UnreadableBackupReason(report, file.OpenedAs().size, file.Size().value_or(0));
    if (reason)
        PrintMessage("cannot read " + file.Path() + ": " + *reason);
    return reason.has_value();
}

void PrintNoData(const std::string& backup)
{
    PrintMessage(backup + ": No data found in backup file");
}

int EndOfEmptyScan(const std::string& backup, const ScanReport& report, bool details)
{
    // File blocks whose checksum held are real files lost, not an absence of
    // data: the report's details name them.
    const bool filesPassedOver = report.VerifiedFilesPassedOver() > 0;
    PrintScanReport(report, details || filesPassedOver);
    if (filesPassedOver)
        return kExitIncomplete;
    PrintNoData(backup);
    return kExitNoData;
}
