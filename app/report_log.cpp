// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_log.h"

#include "bkf_file_handle.h"
#include "build_info.h"
#include "catalogue_store.h"
#include "extraction_report.h"
#include "product_info.h"
#include "scan_report.h"

#include <QDateTime>
#include <QStringList>

#include <map>

namespace {

QString Date(std::int64_t seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds).toString(Qt::ISODate);
}

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

void AddBackup(QStringList& lines, const ReportLogFacts& facts)
{
    lines << QStringLiteral("%1 %2, report of %3")
                 .arg(ProductInfo::kApplicationName, BKF_VERSION, QDateTime::currentDateTime().toString(Qt::ISODate));
    lines << QStringLiteral("Backup: %1").arg(facts.backupPath);
    lines << QStringLiteral("Size: %1 bytes; modified %2")
                 .arg(facts.backup.size)
                 .arg(Date(facts.backup.modifiedSeconds));
    lines << QStringLiteral("Scanned: %1, %2")
                 .arg(Date(facts.scannedAt),
                      facts.scan.deep ? QStringLiteral("deep scan (blocks looked for off the 512-byte grid everywhere)")
                                      : QStringLiteral("scan of the 512-byte grid"));
}

void AddScan(QStringList& lines, const ScanReport& scan)
{
    const std::string summary = ScanReportSummary(scan);
    lines << QStringLiteral("Scan report: %1").arg(summary.empty() ? QStringLiteral("nothing passed over") : Text(summary));
    for (const std::string& line : ScanReportDetails(scan))
        lines << QStringLiteral("  ") + Text(line);
    if (const std::string hint = DeepScanSuggestion(scan); !hint.empty())
        lines << QStringLiteral("Hint: ") + Text(hint);
}

// The count of every state, then each file whose state asks for a look.
void AddStates(QStringList& lines, const CatalogueStore& store)
{
    std::map<RowStatus, std::size_t> counts;
    QStringList files;
    for (std::size_t row = 0; row < store.RowCount(); ++row) {
        const RowStatus status = store.Status(row);
        ++counts[status];
        if (!IsOkStatus(status))
            files << QStringLiteral("  %1: %2").arg(Text(PrintableName(store.Path(row))), Text(store.StatusText(row)));
    }
    QStringList parts;
    for (const auto& [status, count] : counts)
        parts << QStringLiteral("%1 %2").arg(count).arg(QLatin1String(RowStatusText(status)));
    lines << QStringLiteral("Files: %1 (%2)").arg(store.RowCount()).arg(parts.join(QStringLiteral(", ")));
    lines << files;
}

void AddSave(QStringList& lines, const ExtractionReport& save, std::size_t chosen)
{
    lines << QStringLiteral("Last save: %1 of %2 files saved into %3%4")
                 .arg(save.filesSaved)
                 .arg(chosen)
                 .arg(Text(save.rootFolder), save.completed ? QString() : QStringLiteral(" (stopped)"));
    if (const std::string check = DataCheckSummary(save); !check.empty())
        lines << QStringLiteral("  ") + Text(check);
    for (const SaveFailure& failure : save.failures)
        lines << QStringLiteral("  %1: %2").arg(Text(PrintableName(failure.path)), Text(DescribeFailure(failure)));
    for (const DamagedFile& damaged : save.damaged)
        lines << QStringLiteral("  %1: %2").arg(Text(PrintableName(damaged.path)), QLatin1String(kDamagedDataText));
    for (const RenamedFile& renamed : save.renamed)
        lines << QStringLiteral("  %1: saved as %2").arg(Text(PrintableName(renamed.path)),
                                                        Text(PrintableName(renamed.savedAs)));
}

} // namespace

QString ReportLog(const ReportLogFacts& facts)
{
    QStringList lines;
    AddBackup(lines, facts);
    AddScan(lines, facts.scan);
    AddStates(lines, facts.store);
    if (facts.save)
        AddSave(lines, *facts.save, facts.chosen);
    return lines.join(QLatin1Char('\n'));
}
