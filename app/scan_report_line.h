// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line under the catalogue that says what the last scan passed over
// (blocks it could not use, ranges it could not read, a part without blocks
// where a deep scan may find more), with the details one click away and a
// link that saves them as a text file. It stays empty, and hidden, when nothing was lost.

#include <QLabel>

class MessageService;
struct ScanReport;

class ScanReportLine : public QLabel {
    Q_OBJECT

public:
    // `messages` outlives the line.
    ScanReportLine(MessageService& messages, QWidget* parent = nullptr);

    void ShowReport(const ScanReport& report);
    void Clear();
    bool HasReport() const { return !m_summary.isEmpty(); }
    // The whole summary (the line may show it elided).
    const QString& Summary() const { return m_summary; }
    // Shows the details in a message box (what the link does).
    void ShowDetails();
    // Asks for a file and saves the summary and the details there.
    void SaveReport();

protected:
    // Tab lands on the link at once, not first on the line around it.
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowSummary();

    MessageService& m_messages;
    QString m_summary;
    QString m_details;
};
