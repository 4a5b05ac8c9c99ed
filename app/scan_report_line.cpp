// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_report_line.h"

#include "message_service.h"
#include "report_file.h"
#include "scan_report.h"
#include "scan_summary_text.h"
#include "surface_ink.h"
#include "texts.h"

#include <QDateTime>
#include <QFocusEvent>
#include <QLocale>
#include <QStringList>

ScanReportLine::ScanReportLine(MessageService& messages, QWidget* parent)
    : QLabel(parent), m_messages(messages)
{
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    UseLightSurfaceControl(*this);
    QPalette look = palette();
    look.setColor(QPalette::WindowText, QColor(150, 20, 0));
    setPalette(look);
    connect(this, &QLabel::linkActivated, this, [this](const QString& link) {
        if (link == QLatin1String("save"))
            SaveReport();
        else if (link == QLatin1String("rescan"))
            emit rescanRequested();
        else
            ShowDetails();
    });
}

void ScanReportLine::ShowReport(const ScanReport& report, std::optional<std::int64_t> cachedScanAt)
{
    m_source = cachedScanAt ? Texts::Tr("Catalogue from the scan of %1")
                                  .arg(QLocale().toString(QDateTime::fromSecsSinceEpoch(*cachedScanAt),
                                                          QLocale::ShortFormat))
                            : QString();
    m_summary = ScanSummaryText(report);
    // The backup may go on off the grid: say so, and what finds it.
    if (const QString hint = DeepScanHintText(report); !hint.isEmpty())
        m_summary += (m_summary.isEmpty() ? QString() : QStringLiteral("; ")) + hint;
    QStringList details;
    for (const std::string& line : ScanReportDetails(report))
        details << QString::fromStdString(line);
    m_details = details.join('\n');
    if (!HasReport()) {
        Clear();
        return;
    }
    ShowSummary();
}

// The links after the text: the details and the report's file when
// something was lost, Rescan for a cached catalogue.
QList<std::pair<QString, QString>> ScanReportLine::Links() const
{
    QList<std::pair<QString, QString>> links;
    if (!m_summary.isEmpty())
        links.append({QStringLiteral("details"), Texts::Tr("Details...")});
    if (!m_source.isEmpty())
        links.append({QStringLiteral("rescan"), Texts::Tr("Rescan")});
    if (!m_summary.isEmpty())
        links.append({QStringLiteral("save"), Texts::Tr("Save report...")});
    return links;
}

// The text gives way (elided, whole in the tooltip) so that the links
// always show, however narrow the window.
void ScanReportLine::ShowSummary()
{
    const QFontMetrics metrics = fontMetrics();
    QString links;
    int room = 12;
    const QString colour = LightSurfaceLink().name();
    for (const auto& [target, text] : Links()) {
        links += QStringLiteral(" &nbsp;<a href=\"%1\" style=\"color: %2\">%3</a>")
                     .arg(target, colour, text.toHtmlEscaped());
        room += metrics.horizontalAdvance(QStringLiteral("  ") + text);
    }
    // The cached catalogue's notice gives way last.
    const QString lead =
        m_source.isEmpty() || m_summary.isEmpty() ? m_source : m_source + QStringLiteral("; ");
    const int space = qMax(0, width() - room);
    const int left = space - metrics.horizontalAdvance(lead);
    const QString shown = metrics.elidedText(lead, Qt::ElideRight, space)
                          + (left > 0 ? metrics.elidedText(m_summary, Qt::ElideRight, left) : QString());
    const QString whole = lead + m_summary;
    setToolTip(shown == whole ? QString() : whole);
    setText(shown.toHtmlEscaped() + links);
}

void ScanReportLine::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    if (HasReport())
        ShowSummary();
}

void ScanReportLine::Clear()
{
    m_source.clear();
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
    if (!m_summary.isEmpty())
        m_messages.ShowMessageWithDetails(m_summary, m_details, MessageService::kInform);
}

void ScanReportLine::SaveReport()
{
    if (m_summary.isEmpty())
        return;
    const QString why = SaveReportAs(window(), m_log ? m_log() : m_summary + QStringLiteral("\n\n") + m_details);
    if (!why.isEmpty())
        m_messages.ShowMessage(why, MessageService::kInform);
}
