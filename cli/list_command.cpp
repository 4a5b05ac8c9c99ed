// bkf-recover list: one line per catalogue row, printed as the scan finds it.

#include "backup_scan.h"
#include "commands.h"
#include "json_text.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// The relative path that the file gets under the output root.
std::string DisplayPath(std::string_view cataloguePath)
{
    std::string path(cataloguePath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

class RowPrinter : public CatalogueSink {
public:
    explicit RowPrinter(bool json) : m_json(json) {}

    void AddRow(const CatalogueRow& row) override
    {
        ++m_rows;
        m_line.clear();
        if (m_json) {
            m_line = "{\"path\": " + JsonString(DisplayPath(row.path)) + ", \"size\": "
                     + (row.located ? std::to_string(row.size) : "null")
                     + ", \"offset\": " + (row.located ? std::to_string(row.offset) : "null") + "}\n";
        } else {
            if (row.located)
                m_line = std::to_string(row.size) + '\t' + std::to_string(row.offset);
            else
                m_line = "\t";
            m_line += '\t' + DisplayPath(row.path) + '\n';
        }
        std::fwrite(m_line.data(), 1, m_line.size(), stdout);
    }

    std::uint64_t Rows() const { return m_rows; }

private:
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
    InstallInterruptHandler(nullptr);
    static char outputBuffer[1 << 16];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);

    RowPrinter printer(options.json);
    const bool completed = ScanWithProgress(backup, printer, options.verbose);
    std::fflush(stdout);
    if (std::ferror(stdout)) {
        std::fprintf(stderr, "bkf-recover: cannot write the list\n");
        return kExitFailure;
    }
    if (!completed)
        return kExitInterrupted;
    if (printer.Rows() == 0) {
        PrintNoData();
        return kExitNoData;
    }
    return kExitOk;
}
