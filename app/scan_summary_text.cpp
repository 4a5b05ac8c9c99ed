// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_summary_text.h"

#include "human_texts.h"
#include "scan_report.h"
#include "texts.h"

#include <QLocale>
#include <QStringList>

namespace {

// The words of one finding for one and for more than one.
struct Wording {
    const char* one;
    const char* many;
};

Wording WordingOf(ReportFinding finding)
{
    switch (finding) {
    case ReportFinding::kFileBlocksPassedOver:
        return {QT_TRANSLATE_NOOP("Texts", "%1 file block passed over (%2 with a valid checksum)"),
                QT_TRANSLATE_NOOP("Texts", "%1 file blocks passed over (%2 with a valid checksum)")};
    case ReportFinding::kFoldersRenamed:
        return {QT_TRANSLATE_NOOP("Texts", "%1 folder renamed \"lost dir\""),
                QT_TRANSLATE_NOOP("Texts", "%1 folders renamed \"lost dir\"")};
    case ReportFinding::kFilesCutShort:
        return {QT_TRANSLATE_NOOP("Texts", "%1 file cut short"), QT_TRANSLATE_NOOP("Texts", "%1 files cut short")};
    case ReportFinding::kSetBlocksLost:
        return {QT_TRANSLATE_NOOP("Texts", "%1 set block lost"), QT_TRANSLATE_NOOP("Texts", "%1 set blocks lost")};
    case ReportFinding::kFilesInLostFolder:
        return {QT_TRANSLATE_NOOP("Texts", "%1 file put into a lost folder"),
                QT_TRANSLATE_NOOP("Texts", "%1 files put into a lost folder")};
    case ReportFinding::kFilesPlacedById:
        return {QT_TRANSLATE_NOOP("Texts", "%1 file placed by folder ID"),
                QT_TRANSLATE_NOOP("Texts", "%1 files placed by folder ID")};
    case ReportFinding::kUnreadShare: {
        const char* const share = QT_TRANSLATE_NOOP("Texts", "%1 (%2 %) of the backup hold no file that could be read");
        return {share, share};
    }
    case ReportFinding::kSetsWithLongNames:
        return {QT_TRANSLATE_NOOP("Texts", "%1 set passed over for a long name"),
                QT_TRANSLATE_NOOP("Texts", "%1 sets passed over for a long name")};
    case ReportFinding::kUnreadableBytes:
        return {QT_TRANSLATE_NOOP("Texts", "%1 byte unreadable"), QT_TRANSLATE_NOOP("Texts", "%1 bytes unreadable")};
    case ReportFinding::kFilesNotListed:
        return {QT_TRANSLATE_NOOP("Texts", "%1 file found but not listed (out of memory)"),
                QT_TRANSLATE_NOOP("Texts", "%1 files found but not listed (out of memory)")};
    case ReportFinding::kSlotsAbandoned:
        return {QT_TRANSLATE_NOOP("Texts", "%1 slot abandoned after a failure"),
                QT_TRANSLATE_NOOP("Texts", "%1 slots abandoned after a failure")};
    case ReportFinding::kNoBlockOnGrid: {
        const char* const none = QT_TRANSLATE_NOOP(
            "Texts", "no block found on the 512-byte grid; a deep scan looks for blocks off the 512-byte grid");
        return {none, none};
    }
    case ReportFinding::kBlocklessTail:
        return {QT_TRANSLATE_NOOP(
                    "Texts", "no block found in the last %1 byte; a deep scan looks for blocks off the 512-byte grid"),
                QT_TRANSLATE_NOOP(
                    "Texts", "no block found in the last %1 bytes; a deep scan looks for blocks off the 512-byte grid")};
    case ReportFinding::kFilesFromSetCatalogue:
        return {QT_TRANSLATE_NOOP("Texts", "%1 file found by the set's catalogue"),
                QT_TRANSLATE_NOOP("Texts", "%1 files found by the set's catalogue")};
    case ReportFinding::kFilesNotFound:
        return {QT_TRANSLATE_NOOP("Texts", "%1 file named in the set's catalogue was not found"),
                QT_TRANSLATE_NOOP("Texts", "%1 files named in the set's catalogue were not found")};
    case ReportFinding::kFoldersFromSetCatalogue:
        return {QT_TRANSLATE_NOOP("Texts", "%1 folder named by the set's catalogue"),
                QT_TRANSLATE_NOOP("Texts", "%1 folders named by the set's catalogue")};
    }
    return {"", ""};
}

QString PartText(const ReportPart& part)
{
    const QLocale locale;
    const Wording wording = WordingOf(part.finding);
    QString text = Texts::Tr(part.count == 1 ? wording.one : wording.many);
    if (part.finding == ReportFinding::kUnreadShare)
        return text.arg(HumanBytesText(part.count, locale), locale.toString(static_cast<qulonglong>(part.percent)));
    if (part.finding == ReportFinding::kNoBlockOnGrid)
        return text;
    text = text.arg(locale.toString(static_cast<qulonglong>(part.count)));
    if (part.finding == ReportFinding::kFileBlocksPassedOver)
        text = text.arg(locale.toString(static_cast<qulonglong>(part.verified)));
    return text;
}

} // namespace

QString ScanSummaryText(const ScanReport& report)
{
    QStringList parts;
    for (const ReportPart& part : ScanReportSummaryParts(report))
        parts << PartText(part);
    return parts.join(QStringLiteral(", "));
}

QString DeepScanHintText(const ScanReport& report)
{
    const std::optional<ReportPart> hint = DeepScanHintPart(report);
    return hint ? PartText(*hint) : QString();
}
