// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two pages of the wizard and the moves between them: page 0, the file
// page, where the user names the backup; page 1, the results page, where the
// scan runs and its catalogue is reviewed. Every message goes through the
// view's message service. Window thread only.

class CBrevantVeltraFileScanView;

class CWizardPages {
public:
    // The view outlives this object (it owns it).
    explicit CWizardPages(CBrevantVeltraFileScanView& view);

    int m_nPage = 0;

    // Hides the other page's controls, then shows those of m_nPage.
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

private:
    void ShowFilePage(bool show);
    void ShowResultsPage(bool show);
    bool AskToStop();
    void Notice(const char* text);

    CBrevantVeltraFileScanView& m_view;
};
