// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-recover list: one line per catalogue row, printed as the scan finds it.

#include "cached_scan.h"
#include "commands.h"
#include "display_path.h"
#include "human_units.h"
#include "json_text.h"
#include "messages.h"
#include "run_summary.h"
#include "standard_output.h"
#include "stop_signals.h"
#include "terminal.h"

#include <charconv>
#include <string>

namespace {

class RowPrinter : public CatalogueSink {
public:
    // The first failed write stops the run.
    RowPrinter(bool json, TerminalProgress& progress)
        : m_json(json), m_progress(progress), m_clearFirst(StdoutSharesTerminalWithStderr())
    {
    }

    void AddRow(const CatalogueRow& row) override
    {
        // A file named in a set's catalogue but not found is said in JSON only.
        const bool listed = IsListedFile(row.status);
        if (!listed && !m_json)
            return;
        m_rows += listed ? 1 : 0;
        m_sets.Add(row.path);
        m_json ? FormatJson(row) : FormatText(row);
        if (m_clearFirst)
            m_progress.Clear();
        if (!WriteOut(m_line))
            StopRun();
    }

    std::uint64_t Rows() const { return m_rows; }
    std::uint64_t Sets() const { return m_sets.Sets(); }

private:
    void FormatJson(const CatalogueRow& row)
    {
        m_line.clear();
        m_line.append("{\"path\": ").append(JsonString(DisplayPath(row.path))).append(", \"size\": ");
        AppendNumber(row.located, row.size);
        m_line.append(", \"offset\": ");
        AppendNumber(row.located, row.offset);
        m_line.append(", \"status\": \"").append(RowStatusText(row.status)).append("\"}\n");
    }
    void FormatText(const CatalogueRow& row)
    {
        m_line.clear();
        if (row.located) {
            AppendDecimal(row.size);
            m_line.push_back('\t');
            AppendDecimal(row.offset);
        } else
            m_line.append(1, '\t');
        m_line.append(1, '\t');
        const std::size_t pathStart = m_line.size();
        m_line.append(row.path);
        SlashSeparators(m_line.data() + pathStart, m_line.data() + m_line.size());
        EscapeLineSeparators(m_line, pathStart);
        m_line.push_back('\n');
    }
    void AppendNumber(bool present, std::uint64_t value)
    {
        if (present)
            AppendDecimal(value);
        else
            m_line.append("null");
    }
    void AppendDecimal(std::uint64_t value)
    {
        char digits[20];
        m_line.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    }

    bool m_json;
    TerminalProgress& m_progress;
    bool m_clearFirst;
    std::uint64_t m_rows = 0;
    SetCounter m_sets;
    std::string m_line;
};

} // namespace

int RunList(const CliOptions& options)
{
    BkfFileHandle backup;
    if (!OpenBackup(backup, options.backup))
        return kExitFailure;
    InstallStopSignals();
    // Rows reach a terminal line by line, a file or a pipe in large writes.
    StdoutIsTerminal() ? LineBufferOut() : BlockBufferOut();

    const RateMeter clock;
    TerminalProgress progress(ChooseProgressStyle(options));
    RowPrinter printer(options.json, progress);
    ScanReport report;
    const ScanOutcome scan = ScanOrUseCache(backup, printer, report, progress, options);
    if (!FlushOut())
        return kExitFailure;
    if (!scan.completed) {
        PrintMessage("interrupted; " + ListSummary(printer.Rows(), printer.Sets(), clock.Seconds()));
        return StoppedExitStatus();
    }
    if (NothingReadable(backup, report))
        return kExitFailure;
    if (printer.Rows() == 0)
        return EndOfEmptyScan(options.backup, report, options.verbose || options.debug);
    if (!options.quiet)
        PrintMessage(ListSummary(printer.Rows(), printer.Sets(), clock.Seconds()));
    PrintScanReport(report, options.verbose || options.debug);
    return kExitOk;
}
