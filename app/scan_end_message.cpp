// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_end_message.h"

#include "system_texts.h"
#include "texts.h"

QString ScanEndMessage(const ScanEnd& end, bool nothingFound)
{
    if (end.kind == ScanEnd::Kind::OpenFailed)
        return Texts::Tr(SystemText::kOpenFailed);
    if (end.kind == ScanEnd::Kind::Failed)
        return Texts::Tr(SystemText::kScanFailed).arg(QString::fromStdString(end.failure));
    if (!end.unreadable.empty())
        return Texts::Tr(SystemText::kReadFailed).arg(QString::fromStdString(end.unreadable));
    if (!nothingFound)
        return QString();
    const QString noData = Texts::Tr(SystemText::kNoData);
    return end.report.noBlocks ? noData + QStringLiteral("\n\n") + Texts::Tr(SystemText::kNoBlocksHint) : noData;
}
