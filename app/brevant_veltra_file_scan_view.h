// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wizard view: the whole working surface of the main frame. It paints
// the background, carries the toolbar, the instruction label and the two
// pages (the file page and the results page, see CWizardPages), and owns the
// catalogue (store, models, the three controls) and the scan engine with the
// bridge that carries the scan to this window, and the save command. It is
// the ScanWindow the scan reports to. Window thread only.

#include "bkf_scanner.h"
#include "catalogue_list_model.h"
#include "catalogue_store.h"
#include "folder_tree_model.h"
#include "scan_report.h"
#include "scan_ui_bridge.h"
#include "scan_window.h"
#include "window_services.h"
#include "wizard_controls.h"
#include "wizard_host.h"

#include <QWidget>

#include <memory>
#include <optional>

class FilePreviewController;
class SaveCommand;
class CWizardPages;
class ScanReportLine;
class ViewFrame;

class CBrevantVeltraFileScanView : public QWidget, public ScanWindow, private WizardHost {
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

    // The path the scan opens (and a save reads from).
    QString m_strFilePath;

    // The wizard's page: 0 the file page, 1 the results page.
    int Page() const;
    // The menu's commands that the wizard handles (its buttons reach the
    // pages directly).
    void OnAddFile();
    void OnHomePage();

    // From the scan's start until it ends or is told to stop.
    bool IsScanRunning() const override;
    // Tells the scan to stop; hides the progress bar and the Stop button.
    void StopScan() override;
    // Holds the scan where it is (the question whether to stop is open), or lets it go on.
    void HoldScan(bool held) override;
    // The last scan's worker or its end steps are still to come (Stop may be
    // hidden already: Back leaves at once).
    bool IsScanUnfinished() const;
    bool ReviewIsOf(const QString& path) const override;
    bool ReviewWasDeep() const override { return m_reviewDeep; }
    bool MayClearReview() override;
    // Waits (serving the window, not the user) until the previous scan's worker
    // and its end steps are done; false when they are not within the time allowed.
    bool WaitForPreviousScan() override;
    // A backup named on the command line or dropped on the file page: into
    // the file-name box, then Next.
    void OpenBackup(const QString& path);
    // A backup chosen from File's recent list: back to the file page first.
    void OpenRecentBackup(const QString& path);

    // The save of the ticked files, the data check and the report of both.
    SaveCommand& Save() const { return *m_save; }
    // The preview pane and "Open" of the lists.
    FilePreviewController& Preview() const { return *m_preview; }
    // The frame's Settings command.
    void OnSettings();
    // The report line's Rescan: scans the backup of the review again, past
    // its cached catalogue (which the scan replaces).
    void OnRescan();

    // ScanWindow
    void SetHelpText(const QString& text) override;
    void SetScanPositionText(const QString& text) override;
    void SetFileCountText(const QString& text) override;
    void SetProgressPosition(int percent) override;
    void SetProgressVisible(bool visible) override;
    void SetStopVisible(bool visible) override;
    void ShowMessage(const QString& text) override;
    void GoBack() override;
    void ClearContentsList() override;
    void ShowScanReport(const ScanReport& report, std::optional<std::int64_t> cachedScanAt) override;

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
    // WizardHost: a matching cached catalogue serves instead of the scan.
    void StartScan(const QString& path) override;
    void BeginScan(const QString& path, const CatalogueCacheUse& cache);

    void ConnectCommands();
    // Tab goes through the controls in reading order.
    void SetTabOrder();
    void LayOutControls();
    // The one local .bkf file a drag carries on the file page, or "".
    QString DroppableBackup(const QMimeData* data) const;
    void CreatePreview();
    void CreateSaveCommand();
    // WizardHost: the pages' Next on the results page.
    void OnSaveFiles() override;
    // A save or a check reads the catalogue: refused on the file page and while a scan runs.
    bool CatalogueReadable();

    ViewFrame& m_frame;
    WindowServices m_services;
    CatalogueStore m_store;
    FolderTreeModel m_treeModel{m_store};
    CatalogueListModel m_listModel{m_store};
    ScanUiBridge m_bridge{*this, m_store, m_treeModel, m_listModel};
    // Declared after the bridge: destroyed (stopped and joined) before it.
    BkfScanner m_scanner;
    WizardControls m_controls;
    ScanReportLine* m_reportLine;
    std::unique_ptr<CWizardPages> m_pPages;
    // What the last scan passed over, for the report of a save.
    ScanReport m_scanReport;
    std::int64_t m_scannedAt = 0;             // of the catalogue shown (seconds since 1970)
    bool m_reviewDeep = false;    // the catalogue's scan was a deep one
    bool m_scanStopped = false;   // the catalogue's scan was stopped before its end
    std::unique_ptr<SaveCommand> m_save;
    FilePreviewController* m_preview = nullptr; // a child of this view
};
