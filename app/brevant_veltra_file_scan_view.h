// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wizard view: the whole working surface of the main frame. It paints
// the background, builds the toolbar, the instruction label, the two pages
// (the file page and the results page, see CWizardPages), the lists, the
// preview pane and the report line, places them on every size change and
// wires them to the catalogue, the scan session and the save command it
// owns. Window thread only.

#include "view_frame.h"

#include <QWidget>

#include <memory>

class BackupDrop;
class CatalogueListModel;
class CatalogueStore;
class CWizardPages;
class FilePreviewController;
class FolderTreeModel;
class SaveCommand;
class ScanPresenter;
class ScanReportLine;
class ScanSession;
struct WindowServices;
struct WizardControls;

class CBrevantVeltraFileScanView : public QWidget {
    Q_OBJECT

public:
    // `frame` and `services` outlive the view.
    CBrevantVeltraFileScanView(ViewFrame frame, const WindowServices& services, QWidget* parent = nullptr);
    ~CBrevantVeltraFileScanView() override;

    const WizardControls& Controls() const { return *m_controls; }
    ScanReportLine& ReportLine() { return *m_reportLine; }
    const CatalogueStore& Store() const { return *m_store; }
    FolderTreeModel& TreeModel() { return *m_treeModel; }
    CatalogueListModel& ListModel() { return *m_listModel; }
    // The scan, and the backup it reads (which a save reads as well).
    ScanSession& Session() { return *m_session; }

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
    // The report line's Rescan: scans the backup of the review again, past
    // its cached catalogue (which the scan replaces).
    void OnRescan();

    void ConnectCommands();
    void ConnectScan();
    void LayOutControls();
    void CreatePreview(const WindowServices& services);
    void CreateSaveCommand(const WindowServices& services);

    ViewFrame m_frame;
    std::unique_ptr<CatalogueStore> m_store;
    std::unique_ptr<FolderTreeModel> m_treeModel;
    std::unique_ptr<CatalogueListModel> m_listModel;
    std::unique_ptr<ScanSession> m_session;
    std::unique_ptr<WizardControls> m_controls;
    ScanReportLine* m_reportLine; // a child of this view
    std::unique_ptr<CWizardPages> m_pPages;
    std::unique_ptr<ScanPresenter> m_scan;
    std::unique_ptr<BackupDrop> m_drop;
    std::unique_ptr<SaveCommand> m_save;
    FilePreviewController* m_preview = nullptr; // a child of this view
};
