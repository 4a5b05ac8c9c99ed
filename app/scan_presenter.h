// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a scan shows on the results page: Stop while it runs, the help text
// while it searches and when it is done, its end with the report line and its
// message, and the way back to the file page when nothing was found or the
// backup did not open. Keeps the last scan's report for the report of a save.
// Window thread only.

#include "scan_report.h"

#include <QObject>

#include <cstdint>

class CWizardPages;
class MessageService;
class ScanReportLine;
struct ScanEnd;
struct WizardControls;

class ScanPresenter : public QObject {
    Q_OBJECT

public:
    // Everything given outlives this object.
    ScanPresenter(const WizardControls& controls, ScanReportLine& reportLine, CWizardPages& pages,
                  MessageService& messages, QObject* parent = nullptr);

    // What the last scan passed over, and when its catalogue was made
    // (seconds since 1970): the report of a save names both.
    const ScanReport& Report() const { return m_report; }
    std::int64_t ScannedAt() const { return m_scannedAt; }

    // A new scan begins: no report, the report line empty.
    void Clear();
    // The backup opened and the scan reads it.
    void ShowSearching();
    // Stop shows while a scan runs; the lists know it, and an open question
    // whether to stop closes when it ends.
    void ShowRunning(bool running);
    // The end of a scan, its message, and the way back to the file page when
    // nothing was found.
    void ShowEnd(const ScanEnd& end, bool nothingFound);

signals:
    // A scan's report arrived: an earlier save belongs to another catalogue.
    void reported();

private:
    // The scan's texts belong to the results page: a scan left with Back must
    // not write "press Next button to save" on the file page, where Next scans.
    void SetHelpText(const QString& text);

    const WizardControls& m_controls;
    ScanReportLine& m_reportLine;
    CWizardPages& m_pages;
    MessageService& m_messages;
    ScanReport m_report;
    std::int64_t m_scannedAt = 0;
};
