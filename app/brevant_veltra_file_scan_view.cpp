// SPDX-License-Identifier: GPL-3.0-or-later
#include "brevant_veltra_file_scan_view.h"

#include "artwork.h"
#include "backup_file_chooser.h"
#include "catalogue_controls.h"
#include "catalogue_filter_bar.h"
#include "catalogue_list.h"
#include "catalogue_cache_scan.h"
#include "file_preview_controller.h"
#include "file_preview_pane.h"
#include "folder_contents_list.h"
#include "folder_contents_list_model.h"
#include "folder_tree.h"
#include "gradient_static.h"
#include "header_sort.h"
#include "hover_button.h"
#include "message_service.h"
#include "save_command.h"
#include "scan_end_message.h"
#include "scan_report_line.h"
#include "surface_ink.h"
#include "system_texts.h"
#include "view_background.h"
#include "window_layout.h"
#include "window_memory.h"
#include "wizard_pages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>

#include <ctime>
#include <iterator>

CBrevantVeltraFileScanView::CBrevantVeltraFileScanView(ViewFrame frame, const WindowServices& services,
                                                       QWidget* parent)
    : QWidget(parent),
      m_frame(std::move(frame)),
      m_services(services),
      m_session(m_store, m_treeModel, m_listModel, services),
      m_controls(CreateWizardControls(*this, m_treeModel, m_listModel, services.messages)),
      m_reportLine(new ScanReportLine(services.messages, this)),
      m_pPages(std::make_unique<CWizardPages>(m_session, m_controls, *m_reportLine, services, [this] { m_save->OnSaveFiles(); }))
{
    setAttribute(Qt::WA_OpaquePaintEvent); // the background covers everything
    setAcceptDrops(true);
    CreateSaveCommand();
    CreatePreview();
    ConnectCommands();
    SetTabOrder();
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
    using View = CBrevantVeltraFileScanView;
    CWizardPages* pages = m_pPages.get();
    const WizardControls& c = m_controls;
    connect(c.btnAddFile, &QAbstractButton::clicked, this, &View::OnAddFile);
    connect(c.btnRepair, &QAbstractButton::clicked, this, [pages] { pages->OnRepairFile(); });
    const auto save = [this] { m_save->OnSaveFiles(); };
    connect(c.btnSave, &QAbstractButton::clicked, this, save);
    connect(c.btnSettings, &QAbstractButton::clicked, this, &CBrevantVeltraFileScanView::OnSettings);
    connect(c.btnUpdate, &QAbstractButton::clicked, this, [this] { m_frame.liveUpdate(); });
    connect(c.btnNext, &QAbstractButton::clicked, this, [pages] { pages->OnNext(); });
    connect(c.btnBack, &QAbstractButton::clicked, this, [pages] { pages->OnBack(); });
    connect(c.btnStop, &QAbstractButton::clicked, this, [pages] { pages->OnStop(); });
    connect(c.btnHomePage, &QAbstractButton::clicked, this, &View::OnHomePage);
    connect(c.btnBrowse, &QAbstractButton::clicked, this, [pages] { pages->BrowseForBackupFile(); });
    connect(c.editFileName, &QLineEdit::returnPressed, this, [pages] { pages->OnNext(); });
    connect(c.folderTree, &FolderTree::saveRequested, this, save);
    connect(c.folderContents, &FolderContentsList::saveRequested, this, save);
    connect(c.catalogueList, &CatalogueList::saveRequested, this, save);
    connect(m_reportLine, &ScanReportLine::rescanRequested, this, &View::OnRescan);
    connect(&m_session, &ScanSession::starting, this, &View::ClearCatalogue);
    connect(&m_session, &ScanSession::searching, this, [this] { SetHelpText(Texts::Tr(SystemText::kSearching)); });
    connect(&m_session, &ScanSession::runningChanged, this, &View::ShowScanRunning);
    connect(&m_session, &ScanSession::ended, this, &View::ShowScanEnd);
    m_reportLine->SetLog([this] { return m_save->Log(); });
}

void CBrevantVeltraFileScanView::CreateSaveCommand()
{
    SaveCommand::Review review{[this] { return m_session.BackupPath(); },
                               [this] { return m_session.ScannedFile(); },
                               [this] { return CatalogueReadable(); },
                               [this]() -> const ScanReport& { return m_scanReport; },
                               [this] { return m_scannedAt; },
                               [this] {
                                   m_session.NoteStatesChanged();
                                   m_listModel.RefreshRows();
                                   m_controls.folderContents->ContentsModel().RefreshStates();
                               }};
    m_save = std::make_unique<SaveCommand>(*this, m_store, std::move(review), m_frame, m_services);
}

void CBrevantVeltraFileScanView::CreatePreview()
{
    m_preview = new FilePreviewController(
        *this, m_store, m_session,
        [this](const CatalogueStore& rows, const std::string& destination, ExtractionReport& report) {
            return m_save->RunSaveWindow(rows, destination, report);
        },
        m_services.messages, m_services.shell);
    m_preview->FollowVisibility(*m_controls.catalogueList);
    connect(m_preview, &FilePreviewController::statusText, this,
            [this](const QString& text) { m_frame.showStatusText(text); });
    connect(m_preview, &FilePreviewController::dataChecked, this,
            [this](std::size_t row, bool intact) { m_save->NoteDataCheck(row, intact); });
    m_preview->DragOutOf(*m_controls.catalogueList, *m_controls.folderTree);
    connect(m_preview, &FilePreviewController::paneToggled, this, &CBrevantVeltraFileScanView::LayOutControls);
    connect(m_controls.catalogueList, &CatalogueList::previewRequested, m_preview, &FilePreviewController::Preview);
    connect(m_controls.catalogueList, &CatalogueList::openRequested, m_preview, &FilePreviewController::Open);
    connect(m_controls.folderContents, &FolderContentsList::previewRequested, m_preview,
            &FilePreviewController::Preview);
    connect(m_controls.folderContents, &FolderContentsList::openRequested, m_preview, &FilePreviewController::Open);
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

void CBrevantVeltraFileScanView::SetTabOrder()
{
    const WizardControls& c = m_controls;
    QWidget* const order[] = {
        c.btnAddFile, c.btnRepair, c.btnSave, c.btnSettings, c.btnUpdate, c.btnHomePage, // the top row
        c.editFileName, c.btnBrowse, c.chkDeepScan,                                      // the file page
        c.folderTree, c.folderContents, c.folderContents->horizontalHeader(),            // the results page
        c.filterBar->TextBox(), c.filterBar->ClearButton(), c.filterBar->NotOkBox(), c.filterBar->SizeBox(),
        c.catalogueList, c.catalogueList->horizontalHeader(), &m_preview->Pane().CloseButton(), &m_preview->Pane().TextView(), m_reportLine,
        c.btnStop, c.btnBack, c.btnNext,                                                 // bottom right
    };
    for (std::size_t k = 1; k < std::size(order); ++k)
        setTabOrder(order[k - 1], order[k]);
}

void CBrevantVeltraFileScanView::ClearCatalogue()
{
    m_treeModel.Clear();
    m_listModel.Reset([](CatalogueStore& store) { store.Clear(); });
    m_controls.folderContents->ShowFolder(nullptr);
    m_reportLine->Clear();
    m_scanReport = ScanReport();
    m_preview->ClosePane();
    m_controls.filterBar->Reset();
    SortList(*m_controls.catalogueList, -1);
    SortList(*m_controls.folderContents, -1);
    m_frame.showStatusText(QString());
}

void CBrevantVeltraFileScanView::OnRescan()
{
    if (Page() == 1 && !m_session.Rescan(m_controls.chkDeepScan->isChecked()))
        m_pPages->OnBack();
}

void CBrevantVeltraFileScanView::ShowScanRunning(bool running)
{
    if (!running)
        m_pPages->ScanEnded();
    m_controls.btnStop->setVisible(running);
    SetCatalogueScanRunning(*m_controls.folderTree, *m_controls.folderContents, running);
}

void CBrevantVeltraFileScanView::ShowScanEnd(const ScanEnd& end, bool nothingFound)
{
    const QString message = ScanEndMessage(end, nothingFound);
    if (end.kind == ScanEnd::Kind::OpenFailed) {
        // Said over the results page as Next left it, then back to the file page.
        m_services.messages.ShowMessage(message, MessageService::kInform);
        ShowScanRunning(false);
        m_pPages->OnBack();
        return;
    }
    SetHelpText(Texts::Tr(SystemText::kScanDone));
    m_controls.folderContents->ShowFolder(nullptr);
    ShowScanRunning(false);
    m_scanReport = end.report;
    m_scannedAt = end.cachedScanAt.value_or(static_cast<std::int64_t>(std::time(nullptr)));
    m_save->ScanReported();
    m_reportLine->ShowReport(end.report, end.cachedScanAt);
    m_reportLine->setVisible(m_reportLine->HasReport() && Page() == 1);
    if (!message.isEmpty())
        m_services.messages.ShowMessage(message, MessageService::kInform);
    if (nothingFound)
        m_pPages->OnBack();
}

void CBrevantVeltraFileScanView::OpenBackup(const QString& path)
{
    m_controls.editFileName->setText(path);
    m_pPages->OnNext();
}

void CBrevantVeltraFileScanView::OpenRecentBackup(const QString& path)
{
    if (Page() == 1)
        m_pPages->OnBack(); // asks first while a scan runs
    if (Page() == 0)
        OpenBackup(path);
}

// A save or a check reads the catalogue: refused on the file page and while
// a scan runs. A stopped scan may still hand over its last rows: nothing may
// read the catalogue while they arrive.
bool CBrevantVeltraFileScanView::CatalogueReadable()
{
    if (Page() == 0)
        return false;
    if (m_session.IsScanRunning()) {
        m_services.messages.ShowMessage(Texts::Tr(SystemText::kStopFirst), MessageService::kNotice);
        return false;
    }
    return !m_session.IsScanUnfinished() || m_session.WaitForPreviousScan();
}

void CBrevantVeltraFileScanView::OnSettings()
{
    m_frame.settings();
}

// --- The scan's texts -----------------------------------------------------------

void CBrevantVeltraFileScanView::SetHelpText(const QString& text)
{
    if (Page() == 1)
        m_controls.lblHelpTop->SetText(text);
}

// --- Painting, layout, drops ---------------------------------------------------------

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
    const WizardControls& c = m_controls;
    WizardViewLayout layout = LayOutWizardView(size());
    // The room the texts need, from the fonts (the styles' size hints have
    // minimum widths of their own).
    const QSize browse = CaptionNeeds(*c.btnBrowse);
    const QSize fileName(0, c.editFileName->fontMetrics().height() + 6);
    const int reportLine = m_reportLine->fontMetrics().height() + 2;
    FitToFont(layout, TextNeeds{browse, fileName, c.chkDeepScan->sizeHint(), reportLine});
    c.editFileName->setGeometry(layout.fileName);
    c.lblSelectHint->setGeometry(layout.selectHint);
    c.btnBrowse->setGeometry(layout.browse);
    c.chkDeepScan->setGeometry(layout.deepScan);
    c.btnNext->setGeometry(layout.next);
    c.btnBack->setGeometry(layout.back);
    c.btnStop->setGeometry(layout.stop);
    c.btnHomePage->setGeometry(layout.homePage);
    c.folderTree->setGeometry(layout.folderTree);
    if (m_preview->IsPaneOpen())
        m_preview->Pane().setGeometry(MakeRoomForPreview(layout));
    c.folderContents->setGeometry(layout.folderContents);
    // The filter bar takes the top of the found-files list's place.
    const QRect list = layout.catalogueList;
    const int bar = c.filterBar->sizeHint().height();
    c.filterBar->setGeometry(list.x(), list.y(), list.width(), bar);
    c.catalogueList->setGeometry(list.adjusted(0, bar, 0, 0));
    c.lblHelpTop->setGeometry(layout.helpTop);
    m_reportLine->setGeometry(layout.scanReport);
}

QString CBrevantVeltraFileScanView::DroppableBackup(const QMimeData* data) const
{
    if (Page() != 0 || data == nullptr || data->urls().size() != 1)
        return QString();
    const QUrl url = data->urls().first();
    if (!url.isLocalFile() || !HasBkfExtension(url.toLocalFile()))
        return QString();
    return url.toLocalFile();
}

void CBrevantVeltraFileScanView::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppableBackup(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CBrevantVeltraFileScanView::dropEvent(QDropEvent* event)
{
    const QString path = DroppableBackup(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    OpenBackup(path);
}
