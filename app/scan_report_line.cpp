// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_report_line.h"

#include "message_service.h"
#include "scan_report.h"
#include "texts.h"

#include <QStringList>

ScanReportLine::ScanReportLine(MessageService& messages, QWidget* parent)
    : QLabel(parent), m_messages(messages)
{
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    QPalette look = palette();
    look.setColor(QPalette::WindowText, QColor(150, 20, 0));
    setPalette(look);
    connect(this, &QLabel::linkActivated, this, &ScanReportLine::ShowDetails);
}

void ScanReportLine::ShowReport(const ScanReport& report)
{
    m_summary = QString::fromStdString(ScanReportSummary(report));
    // The backup may go on off the grid: say so, and what finds it.
    if (const std::string hint = DeepScanSuggestion(report); !hint.empty())
        m_summary += (m_summary.isEmpty() ? QString() : QStringLiteral("; ")) + QString::fromStdString(hint);
    QStringList details;
    for (const std::string& line : ScanReportDetails(report))
        details << QString::fromStdString(line);
    m_details = details.join('\n');
    if (m_summary.isEmpty()) {
        Clear();
        return;
    }
    const QString link = QStringLiteral(" &nbsp;<a href=\"details\">%1</a>").arg(Texts::Tr("Details..."));
    setText(m_summary.toHtmlEscaped() + link);
}

void ScanReportLine::Clear()
{
    m_summary.clear();
    m_details.clear();
    setText(QString());
    hide();
}

void ScanReportLine::ShowDetails()
{
    if (HasReport())
        m_messages.ShowMessageWithDetails(m_summary, m_details, MessageService::kInform);
}
