// bkf-recover list: one line per catalogue row, printed as the scan finds it.

#include "backup_scan.h"
#include "commands.h"
#include "display_path.h"
#include "json_text.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

class RowPrinter : public CatalogueSink {
public:
    explicit RowPrinter(bool json) : m_json(json) {}

    void AddRow(const CatalogueRow& row) override
    {
        ++m_rows;
        m_line.clear();
        if (m_json) {
            m_line.append("{\"path\": ").append(JsonString(DisplayPath(row.path))).append(", \"size\": ");
            AppendNumber(row.located, row.size);
            m_line.append(", \"offset\": ");
            AppendNumber(row.located, row.offset);
            m_line.append(", \"verified\": ").append(row.verified ? "true" : "false").append("}\n");
        } else {
            if (row.located)
                m_line.append(std::to_string(row.size)).append(1, '\t').append(std::to_string(row.offset));
            else
                m_line.append(1, '\t');
            m_line.append(1, '\t');
            const std::size_t pathStart = m_line.size();
            m_line.append(row.path).append(1, '\n');
            std::replace(m_line.begin() + static_cast<std::ptrdiff_t>(pathStart), m_line.end(), '\\', '/');
        }
        std::fwrite(m_line.data(), 1, m_line.size(), stdout);
    }

    std::uint64_t Rows() const { return m_rows; }

private:
    void AppendNumber(bool present, std::uint64_t value)
    {
        m_line.append(present ? std::to_string(value) : std::string("null"));
    }

    bool m_json;
    std::uint64_t m_rows = 0;
    std::string m_line;
};

} // namespace

int RunList(const CliOptions& options)
{
    BkfFileHandle backup;
    if (!OpenBackup(backup, options.backup))
        return kExitFailure;
    InstallInterruptHandler();
    static char outputBuffer[1 << 16];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);

    RowPrinter printer(options.json);
    ScanReport report;
    const bool completed = ScanWithProgress(backup, printer, report, options.verbose);
    std::fflush(stdout);
    if (std::ferror(stdout)) {
        std::fprintf(stderr, "bkf-recover: cannot write the list\n");
        return kExitFailure;
    }
    if (!completed)
        return kExitInterrupted;
    PrintScanReport(report, options.verbose);
    if (NothingReadable(backup, report))
        return kExitFailure;
    if (printer.Rows() == 0) {
        PrintNoData();
        return kExitNoData;
    }
    return kExitOk;
}
