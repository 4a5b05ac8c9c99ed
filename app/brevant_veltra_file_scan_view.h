// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wizard view: the whole working surface of the main frame. It paints
// the background, carries the toolbar, the instruction label and the two
// pages (the file page and the results page, see CWizardPages), owns the
// catalogue (store, models, the three controls) and the scan session, and
// wires them. Window thread only.

#include "catalogue_list_model.h"
#include "catalogue_store.h"
#include "extraction_report.h"
#include "folder_tree_model.h"
#include "scan_report.h"
#include "scan_session.h"
#include "window_services.h"
#include "wizard_controls.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

struct DataCheckReport;
class CSaveProgressDlg;
class FilePreviewController;
class CWizardPages;
class ScanReportLine;
class ViewFrame;

class CBrevantVeltraFileScanView : public QWidget {
    Q_OBJECT

public:
    // `frame` and `services` outlive the view.
    CBrevantVeltraFileScanView(ViewFrame& frame, const WindowServices& services, QWidget* parent = nullptr);
    ~CBrevantVeltraFileScanView() override;

    const WizardControls& Controls() const { return m_controls; }
    ScanReportLine& ReportLine() { return *m_reportLine; }
    const CatalogueStore& Store() const { return m_store; }
    FolderTreeModel& TreeModel() { return m_treeModel; }
    CatalogueListModel& ListModel() { return m_listModel; }
    // The scan, and the backup it reads (which a save reads as well).
    ScanSession& Session() { return m_session; }

    // The wizard's page: 0 the file page, 1 the results page.
    int Page() const;
    // The menu's commands that the wizard handles (its buttons reach the
    // pages directly).
    void OnAddFile();
    void OnHomePage();

    // A backup named on the command line or dropped on the file page: into
    // the file-name box, then Next.
    void OpenBackup(const QString& path);
    // A backup chosen from File's recent list: back to the file page first.
    void OpenRecentBackup(const QString& path);

    // Saves the ticked files: refused on the file page (silently), while a
    // scan runs and when nothing is ticked; asks for the destination folder
    // (and whether to continue an earlier save found there), runs the
    // progress window, then reports on the status bar and, when a
    // file was not saved completely or was renamed, in a message that can
    // open the output folder.
    void OnSaveFiles();
    // Reads the data of every found file and compares them with their
    // checksums, in the save's window: refused on the file page and while a
    // scan runs. The Status column follows as files are checked; a message
    // names every file that is not sound.
    void OnCheckData();
    // The save's window is open.
    bool IsSaving() const { return m_saveDialog != nullptr; }
    // Stops a running save after the file it is writing, or at once (that
    // file kept as NAME.partial).
    void StopSave(bool atOnce);
    // While the save's window is open: asks whether to stop, with the save
    // held meanwhile; on Yes runs `stop` and returns true.
    bool AskToStopSave(const std::function<void()>& stop);
    // The preview pane and "Open" of the lists.
    FilePreviewController& Preview() const { return *m_preview; }
    // The frame's Settings command.
    void OnSettings();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Empties the tree, the contents list, the found-files list and the
    // report line, and shows the lists as at start: no filter, no sort, no
    // preview, no status text.
    void ClearCatalogue();
    // Stop shows while a scan runs; the lists know it, and an open question
    // whether to stop closes when it ends.
    void ShowScanRunning(bool running);
    // The end of a scan on the results page, its message, and the way back
    // to the file page when nothing was found.
    void ShowScanEnd(const ScanEnd& end, bool nothingFound);
    // The report line's Rescan: scans the backup of the review again, past
    // its cached catalogue (which the scan replaces).
    void OnRescan();
    // The scan's texts belong to the results page: a scan left with Back must
    // not write "press Next button to save" on the file page, where Next scans.
    void SetHelpText(const QString& text);

    void ConnectCommands();
    // Tab goes through the controls in reading order.
    void SetTabOrder();
    void LayOutControls();
    // The one local .bkf file a drag carries on the file page, or "".
    QString DroppableBackup(const QMimeData* data) const;
    // Runs the save of the ticked rows into `destination` (ends with "/").
    void RunSave(const std::string& destination);
    // When `destination` holds the output folder of an earlier save of this
    // backup, asks whether the save goes on in it; true on Yes.
    bool AskToContinue(const std::string& destination);
    // Runs the save window over the ticked rows of `rows`, continuing into the
    // earlier output folder when `continueSave`; false when it did not run or
    // the application ends now (no report then).
    bool RunSaveWindow(const CatalogueStore& rows, const std::string& destination, bool continueSave,
                       ExtractionReport& report);
    void CreatePreview();
    void ShowStatusesAfterSave(const ExtractionReport& report);
    // The lists show the rows' states again after a check or a save changed them.
    void ShowStatesChanged();
    bool CatalogueReadable();
    void KeepCheckedStates();
    // The report "Save report..." writes.
    QString Log() const;
    void ShowCheckReport(const DataCheckReport& report);
    void ShowSaveReport(const ExtractionReport& report, std::size_t chosen, const std::string& destination);

    ViewFrame& m_frame;
    WindowServices m_services;
    CatalogueStore m_store;
    FolderTreeModel m_treeModel{m_store};
    CatalogueListModel m_listModel{m_store};
    ScanSession m_session;
    WizardControls m_controls;
    ScanReportLine* m_reportLine;
    std::unique_ptr<CWizardPages> m_pPages;
    // What the last scan passed over, for the report of a save.
    ScanReport m_scanReport;
    std::int64_t m_scannedAt = 0;             // of the catalogue shown (seconds since 1970)
    std::optional<ExtractionReport> m_lastSave; // since the catalogue was shown
    std::size_t m_lastChosen = 0;             // the files that save was given
    CSaveProgressDlg* m_saveDialog = nullptr; // while a save's window is open
    FilePreviewController* m_preview = nullptr; // a child of this view
};
