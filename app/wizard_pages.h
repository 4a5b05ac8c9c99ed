// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two pages of the wizard and the moves between them: page 0, the file
// page, where the user names the backup; page 1, the results page, where the
// scan runs and its catalogue is reviewed. Every message goes through the
// window's message service. Window thread only.

#include "stop_question.h"
#include "window_services.h"
#include "wizard_controls.h"

#include <functional>

class ScanReportLine;
class WizardHost;

class CWizardPages {
public:
    // Everything given outlives this object; `save` saves the ticked files.
    CWizardPages(WizardHost& host, const WizardControls& controls, ScanReportLine& reportLine,
                 const WindowServices& services, std::function<void()> save);

    int Page() const { return m_nPage; }

    // Hides the other page's controls, then shows those of the current page.
    void ShowPage();

    // Next: on the file page starts the scan of the named backup; on the
    // results page saves. Refused while a scan runs.
    void OnNext();
    // Back: asks first while a scan runs; stops it and returns to the file page.
    void OnBack();
    // Stop: asks first; the scan then ends by itself and shows what it found.
    void OnStop();
    // Add File and Repair File work on the file page only.
    void OnAddFile();
    void OnRepairFile();
    void OnHomePage();
    // The file chooser; true when a .bkf file was taken into the file-name box.
    bool BrowseForBackupFile();
    // The scan has ended or was stopped: an open question whether to stop it closes.
    void ScanEnded() { m_stopQuestion.JobEnded(); }

private:
    void ShowFilePage(bool show);
    void ShowResultsPage(bool show);
    // Next on the backup under review: its results page as it was left.
    void ReturnToReview();
    // Asks with the scan held; on Yes stops it.
    bool StopScanIfWanted();
    void Notice(const char* text);

    WizardHost& m_host;
    std::function<void()> m_save;
    const WizardControls& m_controls;
    ScanReportLine& m_reportLine;
    WindowServices m_services;
    StopQuestion m_stopQuestion;
    int m_nPage = 0;
};
