// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line under the catalogue that says what the last scan passed over
// (blocks it could not use, ranges it could not read, a part without blocks
// where a deep scan may find more), with the details one click away and a
// link that saves them as a text file. A catalogue taken from the cache of an
// earlier scan says so, with a link that scans the backup again. It stays
// empty, and hidden, when nothing was lost and the catalogue is the scan's.

#include <QLabel>

#include <QList>

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

class MessageService;
struct ScanReport;

class ScanReportLine : public QLabel {
    Q_OBJECT

public:
    // `messages` outlives the line.
    ScanReportLine(MessageService& messages, QWidget* parent = nullptr);

    // `cachedScanAt`: the date (seconds since 1970) of the earlier scan whose
    // cached catalogue is shown.
    void ShowReport(const ScanReport& report, std::optional<std::int64_t> cachedScanAt = std::nullopt);
    void Clear();
    bool HasReport() const { return !m_summary.isEmpty() || !m_source.isEmpty(); }
    // The whole summary of the losses (the line may show it elided).
    const QString& Summary() const { return m_summary; }
    // Shows the details in a message box (what the link does).
    void ShowDetails();
    // Asks for a file and saves the report there: the log `log` makes (see
    // SetLog), or the summary and the details.
    void SaveReport();
    void SetLog(std::function<QString()> log) { m_log = std::move(log); }

signals:
    // The Rescan link: the backup is to be scanned again.
    void rescanRequested();

protected:
    // Tab lands on the link at once, not first on the line around it.
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowSummary();
    // Each link's target and text, in the order shown.
    QList<std::pair<QString, QString>> Links() const;

    MessageService& m_messages;
    QString m_source; // "Catalogue from the scan of DATE", or empty
    QString m_summary;
    QString m_details;
    std::function<QString()> m_log;
};
