// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_report_line.h"

#include "message_service.h"
#include "report_file.h"
#include "scan_report.h"
#include "texts.h"

#include <QFocusEvent>
#include <QStringList>

ScanReportLine::ScanReportLine(MessageService& messages, QWidget* parent)
    : QLabel(parent), m_messages(messages)
{
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    QPalette look = palette();
    look.setColor(QPalette::WindowText, QColor(150, 20, 0));
    setPalette(look);
    connect(this, &QLabel::linkActivated, this, [this](const QString& link) {
        if (link == QLatin1String("save"))
            SaveReport();
        else
            ShowDetails();
    });
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
    ShowSummary();
}

// The summary gives way (elided, whole in the tooltip) so that the links
// always show, however narrow the window.
void ScanReportLine::ShowSummary()
{
    const QFontMetrics metrics = fontMetrics();
    const int links = metrics.horizontalAdvance(QStringLiteral("  %1  %2").arg(Texts::Tr("Details..."), Texts::Tr("Save report..."))) + 12;
    const QString summary = metrics.elidedText(m_summary, Qt::ElideRight, qMax(0, width() - links));
    setToolTip(summary == m_summary ? QString() : m_summary);
    setText(summary.toHtmlEscaped()
            + QStringLiteral(" &nbsp;<a href=\"details\">%1</a> &nbsp;<a href=\"save\">%2</a>")
                  .arg(Texts::Tr("Details..."), Texts::Tr("Save report...")));
}

void ScanReportLine::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    if (HasReport())
        ShowSummary();
}

void ScanReportLine::Clear()
{
    m_summary.clear();
    m_details.clear();
    setText(QString());
    setToolTip(QString());
    hide();
}

void ScanReportLine::focusInEvent(QFocusEvent* event)
{
    QLabel::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason)
        focusNextPrevChild(true);
    else if (event->reason() == Qt::BacktabFocusReason)
        focusNextPrevChild(false);
}

void ScanReportLine::ShowDetails()
{
    if (HasReport())
        m_messages.ShowMessageWithDetails(m_summary, m_details, MessageService::kInform);
}

void ScanReportLine::SaveReport()
{
    if (!HasReport())
        return;
    const QString why = SaveReportAs(window(), m_summary + QStringLiteral("\n\n") + m_details);
    if (!why.isEmpty())
        m_messages.ShowMessage(why, MessageService::kInform);
}
