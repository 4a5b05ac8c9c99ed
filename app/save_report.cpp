// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_report.h"

#include "extraction_report.h"
#include "human_units.h"
#include "scan_report.h"
#include "system_texts.h"

#include <QStringList>

namespace {

QString Text(const char* text)
{
    return QString::fromUtf8(text);
}

QString Std(const std::string& text)
{
    return QString::fromStdString(text);
}

QString SavedLine(const ExtractionReport& report, std::size_t chosen)
{
    const QString saved = Text(SystemText::kSaved)
                              .arg(report.filesSaved)
                              .arg(chosen)
                              .arg(Std(HumanBytes(report.bytesSaved)), Std(report.rootFolder));
    return report.completed ? saved : Text(SystemText::kSaveStopped).arg(saved);
}

// The short clauses after the saved line, in the order the details list them.
QStringList Problems(const ExtractionReport& report, const ScanReport& scan)
{
    QStringList problems;
    if (const std::size_t losses = report.LossCount())
        problems << Text(SystemText::kNotComplete).arg(losses);
    if (!report.renamed.empty())
        problems << Text(SystemText::kRenamed).arg(report.renamed.size());
    if (scan.VerifiedFilesPassedOver() > 0)
        problems << Text(SystemText::kScanPassedOver);
    return problems;
}

QString Details(const ExtractionReport& report, const ScanReport& scan)
{
    QStringList lines;
    for (const SaveFailure& failure : report.failures)
        lines << Std(PrintableName(failure.path)) + QStringLiteral(": ") + Std(DescribeFailure(failure));
    for (const RenamedFile& renamed : report.renamed)
        lines << Std(PrintableName(renamed.path)) + QStringLiteral(": saved as ") + Std(PrintableName(renamed.savedAs));
    const std::string scanSummary = ScanReportSummary(scan);
    if (!scanSummary.empty()) {
        lines << QStringLiteral("The scan: ") + Std(scanSummary);
        for (const std::string& line : ScanReportDetails(scan))
            lines << Std(line);
    }
    return lines.join('\n');
}

} // namespace

SaveReportText DescribeSave(const ExtractionReport& report, std::size_t chosen, const QString& destination,
                            const ScanReport& scan)
{
    SaveReportText text;
    if (!report.rootCreated) {
        text.status = Text(SystemText::kNoRoot).arg(destination, Std(report.rootError));
        text.message = text.status;
        return text;
    }
    text.status = SavedLine(report, chosen);
    const QStringList problems = Problems(report, scan);
    if (problems.isEmpty())
        return text;
    text.message = text.status + QStringLiteral("; ") + problems.join(QStringLiteral("; "));
    text.details = Details(report, scan);
    return text;
}
