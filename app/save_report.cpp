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
    return Texts::Tr(text);
}

QString Std(const std::string& text)
{
    return QString::fromStdString(text);
}

// The files and bytes saved, then the data check and the dates when there are any.
QString SavedLine(const ExtractionReport& report, std::size_t chosen, bool datesAsked)
{
    QString saved = report.continued ? Text(SystemText::kSavedContinued)
                                           .arg(report.filesSaved)
                                           .arg(report.alreadySaved)
                                           .arg(chosen)
                                           .arg(Std(HumanBytes(report.bytesSaved)), Std(report.rootFolder))
                                     : Text(SystemText::kSaved)
                                           .arg(report.filesSaved)
                                           .arg(chosen)
                                           .arg(Std(HumanBytes(report.bytesSaved)), Std(report.rootFolder));
    if (!report.completed)
        saved = Text(SystemText::kSaveStopped).arg(saved);
    if (const std::string check = DataCheckSummary(report); !check.empty())
        saved += QStringLiteral("; ") + Std(check);
    // Said when a date was set or refused: a backup that records none needs no word.
    if (datesAsked && report.datesRestored + report.datesRefused > 0)
        saved += QStringLiteral("; ") + Std(DatesSummary(report));
    return saved;
}

// The short clauses after the saved line, in the order the details list them.
QStringList Problems(const ExtractionReport& report, const ScanReport& scan)
{
    QStringList problems;
    if (const std::size_t losses = report.LossCount())
        problems << Text(SystemText::kNotComplete).arg(losses);
    if (!report.renamed.empty())
        problems << Text(SystemText::kRenamed).arg(report.renamed.size());
    if (!report.damaged.empty())
        problems << Text(SystemText::kDamaged).arg(report.damaged.size());
    if (!report.checksumLost.empty())
        problems << Text(SystemText::kChecksumLost).arg(report.checksumLost.size());
    if (scan.FilesMayBeMissing())
        problems << Text(SystemText::kScanPassedOver);
    return problems;
}

QString Details(const ExtractionReport& report, const ScanReport& scan)
{
    QStringList lines;
    for (const SaveFailure& failure : report.failures)
        lines << Std(PrintableName(failure.path)) + QStringLiteral(": ") + Std(DescribeFailure(failure));
    if (const std::string full = DiskFullSummary(report); !full.empty())
        lines << Std(full);
    for (const RenamedFile& renamed : report.renamed)
        lines << Std(PrintableName(renamed.path)) + Texts::Tr(": saved as ") + Std(PrintableName(renamed.savedAs));
    for (const DamagedFile& damaged : report.damaged)
        lines << Std(PrintableName(damaged.path)) + QStringLiteral(": ") + Text(kDamagedDataText);
    for (const DamagedFile& lost : report.checksumLost)
        lines << Std(PrintableName(lost.path)) + QStringLiteral(": ") + Text(kChecksumLostText);
    const std::string scanSummary = ScanReportSummary(scan);
    if (!scanSummary.empty()) {
        lines << Texts::Tr("The scan: ") + Std(scanSummary);
        for (const std::string& line : ScanReportDetails(scan))
            lines << Std(line);
    }
    return lines.join('\n');
}

} // namespace

SaveReportText DescribeSave(const ExtractionReport& report, std::size_t chosen, const QString& destination,
                            const ScanReport& scan, bool datesAsked)
{
    SaveReportText text;
    if (!report.failure.empty()) {
        text.status = Text(SystemText::kSaveFailed).arg(Std(report.failure));
        text.message = text.status;
        return text;
    }
    if (!report.rootCreated) {
        text.status = Text(SystemText::kNoRoot).arg(destination, Std(report.rootError));
        text.message = text.status;
        return text;
    }
    text.status = SavedLine(report, chosen, datesAsked);
    const QStringList problems = Problems(report, scan);
    if (problems.isEmpty())
        return text;
    text.message = text.status + QStringLiteral("; ") + problems.join(QStringLiteral("; "));
    text.details = Details(report, scan);
    return text;
}
