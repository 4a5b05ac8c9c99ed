// SPDX-License-Identifier: GPL-3.0-or-later
#include "brevant_veltra_file_scan_view.h"

#include "artwork.h"
#include "backup_drop.h"
#include "catalogue_list_model.h"
#include "catalogue_store.h"
#include "file_preview_controller.h"
#include "folder_tree_model.h"
#include "save_command.h"
#include "scan_presenter.h"
#include "scan_report_line.h"
#include "scan_session.h"
#include "view_background.h"
#include "window_layout.h"
#include "window_services.h"
#include "wizard_commands.h"
#include "wizard_controls.h"
#include "wizard_pages.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>

CBrevantVeltraFileScanView::CBrevantVeltraFileScanView(ViewFrame frame, const WindowServices& services,
                                                       QWidget* parent)
    : QWidget(parent),
      m_frame(std::move(frame)),
      m_store(std::make_unique<CatalogueStore>()),
      m_treeModel(std::make_unique<FolderTreeModel>(*m_store)),
      m_listModel(std::make_unique<CatalogueListModel>(*m_store)),
      m_session(std::make_unique<ScanSession>(*m_store, *m_treeModel, *m_listModel, services)),
      m_controls(std::make_unique<WizardControls>(
          CreateWizardControls(*this, *m_treeModel, *m_listModel, services.messages))),
      m_reportLine(new ScanReportLine(services.messages, this)),
      m_pPages(std::make_unique<CWizardPages>(*m_session, *m_controls, *m_reportLine, services,
                                              [this] { m_save->OnSaveFiles(); })),
      m_scan(std::make_unique<ScanPresenter>(*m_controls, *m_reportLine, *m_pPages, services.messages)),
      m_drop(std::make_unique<BackupDrop>(*m_pPages))
{
    setAttribute(Qt::WA_OpaquePaintEvent); // the background covers everything
    setAcceptDrops(true);
    CreateSaveCommand(services);
    CreatePreview(services);
    ConnectCommands();
    ConnectScan();
    SetWizardTabOrder(*m_controls, m_preview->Pane(), *m_reportLine);
    m_reportLine->Clear();
    m_pPages->ShowPage();
}

CBrevantVeltraFileScanView::~CBrevantVeltraFileScanView()
{
    // The controls go while the models they show still exist (QWidget would
    // delete them only after this class's members).
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

void CBrevantVeltraFileScanView::ConnectCommands()
{
    CWizardPages* pages = m_pPages.get();
    WizardCommands commands;
    commands.addFile = [pages] { pages->OnAddFile(); };
    commands.repair = [pages] { pages->OnRepairFile(); };
    commands.save = [this] { m_save->OnSaveFiles(); };
    commands.settings = [this] { m_frame.settings(); };
    commands.update = [this] { m_frame.liveUpdate(); };
    commands.next = [pages] { pages->OnNext(); };
    commands.back = [pages] { pages->OnBack(); };
    commands.stop = [pages] { pages->OnStop(); };
    commands.homePage = [pages] { pages->OnHomePage(); };
    commands.browse = [pages] { pages->BrowseForBackupFile(); };
    ConnectWizardCommands(*m_controls, *this, commands);
    connect(m_reportLine, &ScanReportLine::rescanRequested, this, &CBrevantVeltraFileScanView::OnRescan);
    connect(m_drop.get(), &BackupDrop::dropped, this, &CBrevantVeltraFileScanView::OpenBackup);
    m_reportLine->SetLog([this] { return m_save->Log(); });
}

void CBrevantVeltraFileScanView::ConnectScan()
{
    ScanSession* session = m_session.get();
    ScanPresenter* scan = m_scan.get();
    connect(session, &ScanSession::starting, this, &CBrevantVeltraFileScanView::ClearCatalogue);
    connect(session, &ScanSession::searching, scan, &ScanPresenter::ShowSearching);
    connect(session, &ScanSession::runningChanged, scan, &ScanPresenter::ShowRunning);
    connect(session, &ScanSession::ended, scan, &ScanPresenter::ShowEnd);
    connect(scan, &ScanPresenter::reported, this, [this] { m_save->ScanReported(); });
}

void CBrevantVeltraFileScanView::CreateSaveCommand(const WindowServices& services)
{
    ScanSession& session = *m_session;
    const ScanPresenter& scan = *m_scan;
    const CWizardPages& pages = *m_pPages;
    SaveCommand::Review review{[&session] { return session.BackupPath(); },
                               [&session] { return session.ScannedFile(); },
                               [&pages, &session] { return pages.Page() == 1 && session.MayReadCatalogue(); },
                               [&scan]() -> const ScanReport& { return scan.Report(); },
                               [&scan] { return scan.ScannedAt(); },
                               [this, &session] {
                                   session.NoteStatesChanged();
                                   ShowChangedStates(*m_controls, *m_listModel);
                               }};
    m_save = std::make_unique<SaveCommand>(*this, *m_store, std::move(review), m_frame, services);
}

void CBrevantVeltraFileScanView::CreatePreview(const WindowServices& services)
{
    m_preview = new FilePreviewController(
        *this, *m_store, *m_session,
        [this](const CatalogueStore& rows, const std::string& destination, ExtractionReport& report) {
            return m_save->RunSaveWindow(rows, destination, report);
        },
        services.messages, services.shell);
    m_preview->Serve(*m_controls->catalogueList, *m_controls->folderContents, *m_controls->folderTree);
    connect(m_preview, &FilePreviewController::statusText, this,
            [this](const QString& text) { m_frame.showStatusText(text); });
    connect(m_preview, &FilePreviewController::dataChecked, this,
            [this](std::size_t row, bool intact) { m_save->NoteDataCheck(row, intact); });
    connect(m_preview, &FilePreviewController::paneToggled, this, &CBrevantVeltraFileScanView::LayOutControls);
}

int CBrevantVeltraFileScanView::Page() const
{
    return m_pPages->Page();
}

void CBrevantVeltraFileScanView::OnAddFile()
{
    m_pPages->OnAddFile();
}

void CBrevantVeltraFileScanView::OnHomePage()
{
    m_pPages->OnHomePage();
}

void CBrevantVeltraFileScanView::ClearCatalogue()
{
    m_treeModel->Clear();
    m_listModel->Reset([](CatalogueStore& store) { store.Clear(); });
    m_scan->Clear();
    m_preview->ClosePane();
    ResetCatalogueControls(*m_controls);
    m_frame.showStatusText(QString());
}

void CBrevantVeltraFileScanView::OnRescan()
{
    if (Page() == 1 && !m_session->Rescan(m_controls->chkDeepScan->isChecked()))
        m_pPages->OnBack();
}

void CBrevantVeltraFileScanView::OpenBackup(const QString& path)
{
    m_controls->editFileName->setText(path);
    m_pPages->OnNext();
}

void CBrevantVeltraFileScanView::OpenRecentBackup(const QString& path)
{
    if (Page() == 1)
        m_pPages->OnBack(); // asks first while a scan runs
    if (Page() == 0)
        OpenBackup(path);
}

void CBrevantVeltraFileScanView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintViewBackground(painter, size(), Artwork::ViewBackground(devicePixelRatioF()));
}

void CBrevantVeltraFileScanView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOutControls();
}

void CBrevantVeltraFileScanView::LayOutControls()
{
    WizardViewLayout layout = LayOutWizardView(size());
    FitToFont(layout, WizardTextNeeds(*m_controls, *m_reportLine));
    m_preview->PlacePane(layout);
    PlaceWizardControls(*m_controls, layout);
    m_reportLine->setGeometry(layout.scanReport);
}

// Drops are delivered to the view (they may land anywhere on the file page).
void CBrevantVeltraFileScanView::dragEnterEvent(QDragEnterEvent* event)
{
    m_drop->Enter(*event);
}

void CBrevantVeltraFileScanView::dropEvent(QDropEvent* event)
{
    m_drop->Drop(*event);
}
