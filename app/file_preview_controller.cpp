// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_preview_controller.h"

#include "catalogue_list.h"
#include "catalogue_store.h"
#include "desktop_shell.h"
#include "drag_out.h"
#include "file_preview_pane.h"
#include "folder_contents_list.h"
#include "message_service.h"
#include "preview_loader.h"
#include "save_report.h"
#include "scan_report.h"
#include "scan_session.h"
#include "system_texts.h"
#include "window_layout.h"

#include <QEvent>
#include <QLayout>

#include <utility>

namespace {

// The last component of a catalogue path.
QString FileName(std::string_view path)
{
    const std::size_t slash = path.rfind('\\');
    return QString::fromStdString(std::string(slash == std::string_view::npos ? path : path.substr(slash + 1)));
}

} // namespace

FilePreviewController::FilePreviewController(QWidget& view, const CatalogueStore& store, const ScanSession& scan,
                                             PrivateSave::SaveRunner save, MessageService& messages,
                                             DesktopShell& shell)
    : QObject(&view),
      m_store(store),
      m_scan(scan),
      m_messages(messages),
      m_shell(shell),
      m_pane(new FilePreviewPane(&view)),
      m_loader(std::make_unique<PreviewLoader>([this](const PreviewResult& result) { ShowResult(result); })),
      m_private(std::move(save), [this](std::size_t row, bool intact) { emit dataChecked(row, intact); })
{
    m_pane->hide();
    connect(m_pane, &FilePreviewPane::closeRequested, this, &FilePreviewController::ClosePane);
}

FilePreviewController::~FilePreviewController() = default;

bool FilePreviewController::IsPaneOpen() const
{
    return !m_pane->isHidden();
}

void FilePreviewController::Preview(std::size_t row)
{
    if (row >= m_store.RowCount())
        return;
    m_previewRow = row;
    const CatalogueRow entry = m_store.Row(row);
    m_pane->ShowReading(FileName(entry.path), entry);
    if (!IsPaneOpen()) {
        m_pane->show();
        emit paneToggled();
        m_pane->layout()->activate(); // the picture's room is known now
    }
    PreviewRequest request{m_scan.BackupPath().toStdString(), m_scan.ScannedFile(), entry, m_pane->PictureRoom()};
    request.row.path = {};
    m_loader->Request(request);
}

void FilePreviewController::ShowResult(const PreviewResult& result)
{
    if (result.opened && result.head.checksumHolds)
        emit dataChecked(m_previewRow, *result.head.checksumHolds);
    if (IsPaneOpen())
        m_pane->ShowResult(result);
}

void FilePreviewController::ClosePane()
{
    m_loader->Cancel();
    if (!IsPaneOpen())
        return;
    m_pane->hide();
    emit paneToggled();
}

void FilePreviewController::Open(std::size_t row)
{
    if (row >= m_store.RowCount())
        return;
    if (m_scan.IsScanRunning()) {
        m_messages.ShowMessage(Texts::Tr(SystemText::kStopFirst), MessageService::kNotice);
        return;
    }
    const std::optional<ExtractionReport> report = m_private.Save(m_store, {row});
    if (!report)
        return;
    ReportProblems(*report);
    const std::string saved = SavedFilePath(*report, 0);
    if (!saved.empty())
        m_shell.OpenDocument(QString::fromStdString(saved));
}

// A clean save says nothing. Dates are counted only when the save was asked
// to restore them, so the counts alone decide whether they are named.
void FilePreviewController::ReportProblems(const ExtractionReport& report)
{
    const SaveReportText text =
        DescribeSave(report, 1, QString::fromStdString(report.rootFolder), ScanReport(), true);
    if (!text.message.isEmpty())
        m_messages.ShowMessageWithDetails(text.message, text.details, MessageService::kInform);
}

void FilePreviewController::Serve(CatalogueList& list, FolderContentsList& contents, FolderTree& tree)
{
    using Controller = FilePreviewController;
    connect(&list, &CatalogueList::previewRequested, this, &Controller::Preview);
    connect(&list, &CatalogueList::openRequested, this, &Controller::Open);
    connect(&contents, &FolderContentsList::previewRequested, this, &Controller::Preview);
    connect(&contents, &FolderContentsList::openRequested, this, &Controller::Open);
    DragOut::Window window{[this](const QString& text) { emit statusText(text); },
                           [this](const ExtractionReport& report) { ReportProblems(report); },
                           [this] { return m_scan.IsScanRunning(); }};
    m_drags = new DragOut(list, tree, m_store, m_private, std::move(window), this);
    list.installEventFilter(this);
}

void FilePreviewController::PlacePane(WizardViewLayout& layout) const
{
    if (IsPaneOpen())
        m_pane->setGeometry(MakeRoomForPreview(layout));
}

bool FilePreviewController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide && !event->spontaneous()) // not a minimized window
        ClosePane();
    return QObject::eventFilter(watched, event);
}
