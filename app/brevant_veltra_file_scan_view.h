// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wizard view: the whole working surface of the main frame. It paints
// the background, carries the toolbar, the instruction label and the two
// pages (the file page and the results page, see CWizardPages), owns the
// catalogue (store, models, the three controls), the scan session and the
// save command, and wires them. Window thread only.

#include "catalogue_list_model.h"
#include "catalogue_store.h"
#include "folder_tree_model.h"
#include "scan_report.h"
#include "scan_session.h"
#include "view_frame.h"
#include "window_services.h"
#include "wizard_controls.h"

#include <QWidget>

#include <memory>
#include <optional>

class FilePreviewController;
class SaveCommand;
class CWizardPages;
class ScanReportLine;

class CBrevantVeltraFileScanView : public QWidget {
    Q_OBJECT

public:
    // `frame` and `services` outlive the view.
    CBrevantVeltraFileScanView(ViewFrame frame, const WindowServices& services, QWidget* parent = nullptr);
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

    // The save of the ticked files, the data check and the report of both.
    SaveCommand& Save() const { return *m_save; }
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
    void CreatePreview();
    void CreateSaveCommand();
    // A save or a check reads the catalogue: refused on the file page and while a scan runs.
    bool CatalogueReadable();

    ViewFrame m_frame;
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
    std::unique_ptr<SaveCommand> m_save;
    FilePreviewController* m_preview = nullptr; // a child of this view
};
