// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_frame.h"

#include "about_dialog.h"
#include "application_commands.h"
#include "bc_menu.h"
#include "bc_menu_style.h"
#include "brevant_veltra_file_scan_view.h"
#include "catalogue_list.h"
#include "catalogue_list_model.h"
#include "command_table.h"
#include "desktop_shell.h"
#include "folder_contents_list.h"
#include "gradient_static.h"
#include "label_font.h"
#include "list_sort_menu.h"
#include "lock_key_panes.h"
#include "message_service.h"
#include "product_info.h"
#include "save_command.h"
#include "scan_session.h"
#include "settings_dlg.h"
#include "surface_ink.h"
#include "system_texts.h"
#include "tick_totals.h"
#include "window_memory.h"
#include "window_layout.h"
#include "wizard_controls.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>

namespace {

const QColor kStatusBarColor(113, 177, 241);
const QSize kDesignedMinimum(870, 550);
// A title bar and thin borders, for as long as the window manager has not said.
const QMargins kFrameGuess(4, 36, 4, 4);

CGradientStatic* MakeScanLabel(QStatusBar& statusBar)
{
    auto* label = new CGradientStatic(&statusBar);
    label->SetSolidBackground(kStatusBarColor); // covers the panes below while it shows a count
    label->SetTextColor(WarningRed());
    label->setFont(CellHeightFont(QStringLiteral("Arial"), 10));
    label->hide(); // shown while it has a text
    return label;
}

void SetScanLabel(CGradientStatic& label, const QString& text)
{
    label.SetText(text);
    label.setVisible(!text.isEmpty());
}

} // namespace

CMainFrame::CMainFrame(const WindowServices& services, QWidget* parent)
    : QMainWindow(parent),
      m_strFilePrefix(QString::fromUtf8(SystemText::kDefaultPrefix)),
      m_services(services),
      m_strStartDir(QDir::currentPath())
{
    setWindowTitle(QString::fromUtf8(ProductInfo::kApplicationName));
    setMinimumSize(MinimumFrameSize());
    m_pView = new CBrevantVeltraFileScanView(
        ViewFrame{[this](const QString& text) { ShowStatusText(text); }, [this] { return FilePrefix(); },
                  [this] { return RestoreDates(); }, [this] { OnLiveUpdate(); }, [this] { OnSettings(); },
                  [this] { return OnSaveEnded(); }},
        m_services, this);
    setCentralWidget(m_pView);
    CreateMenus();
    CreateStatusBar();
    ConnectCommands();
    FollowScan(m_pView->Session());
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::Command(int id) const
{
    const auto found = m_commands.find(id);
    return found == m_commands.end() ? nullptr : found->second;
}

void CMainFrame::CreateMenus()
{
    menuBar()->setStyle(BCMenuStyle::Instance());
    for (const MenuInfo& info : MenuBarCommands()) {
        auto* menu = new BCMenu(Texts::Tr(info.title), menuBar());
        menuBar()->addMenu(menu);
        if (info.items.front()->id == CommandId::kAddFile)
            connect(menu, &QMenu::aboutToShow, this, [this, menu] { ShowRecentBackups(*menu); });
        for (const std::optional<CommandInfo>& item : info.items) {
            if (!item) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(Artwork::MenuIconImage(item->icon), Texts::Tr(item->menuText));
            action->setShortcut(item->accelerator);
            action->setShortcutContext(Qt::WindowShortcut);
            action->setStatusTip(Texts::Tr(item->prompt));
            m_commands[item->id] = action;
        }
    }
    CreateViewMenu();
}

// Between File and Tools: sorting either list from the keyboard.
void CMainFrame::CreateViewMenu()
{
    auto* view = new BCMenu(Texts::Tr("&View"), menuBar());
    auto* sortBy = new BCMenu(Texts::Tr("&Sort by"), view);
    view->addMenu(sortBy)->setStatusTip(Texts::Tr("Sort the found files or the folder's contents by a column"));
    const WizardControls& c = m_pView->Controls();
    auto* sorting = new ListSortMenu(*sortBy, {c.catalogueList, c.folderContents});
    // The list shown or not decides whether Sort by can open.
    connect(view, &QMenu::aboutToShow, sorting, &ListSortMenu::Fill);
    menuBar()->insertMenu(menuBar()->actions().value(1), view);
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setAutoFillBackground(true);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, kStatusBarColor);
    bar->setPalette(palette);
    UseLightSurfaceInk(*bar); // "Ready" and the lock keys on the light blue
    m_lblReady = new QLabel(Texts::Tr("Ready"), bar);
    bar->addWidget(m_lblReady, 1);
    m_lblTicks = new QLabel(bar);
    bar->addPermanentWidget(m_lblTicks); // left of the lock keys, never hidden by a prompt
    m_lockPanes = new LockKeyPanes(*bar);
    m_wndProgress = new QProgressBar(bar);
    m_wndProgress->setRange(0, 100);
    m_wndProgress->setTextVisible(false);
    m_wndProgress->hide();
    m_lblScanPos = MakeScanLabel(*bar);
    m_lblFileCount = MakeScanLabel(*bar);
    bar->installEventFilter(this);
    LayOutStatusBar();
    WatchTickTotals(m_pView->ListModel(), m_lblTicks, [this](const QString& text) { ShowTickTotals(text); });
}

void CMainFrame::ShowTickTotals(const QString& text)
{
    m_lblTicks->setText(text);
    m_lblTicks->setVisible(!text.isEmpty() && !m_wndProgress->isVisibleTo(statusBar()));
}

void CMainFrame::ConnectCommands()
{
    CBrevantVeltraFileScanView* view = m_pView;
    connect(Command(CommandId::kAddFile), &QAction::triggered, view, &CBrevantVeltraFileScanView::OnAddFile);
    connect(Command(CommandId::kSave), &QAction::triggered, view, [view] { view->Save().OnSaveFiles(); });
    connect(Command(CommandId::kExit), &QAction::triggered, this, &QWidget::close);
    connect(Command(CommandId::kSetting), &QAction::triggered, this, &CMainFrame::OnSettings);
    connect(Command(CommandId::kCheckData), &QAction::triggered, view, [view] { view->Save().OnCheckData(); });
    connect(Command(CommandId::kLiveUpdate), &QAction::triggered, this, &CMainFrame::OnLiveUpdate);
    connect(Command(CommandId::kHelp), &QAction::triggered, this, &CMainFrame::OnHelpFile);
    connect(Command(CommandId::kAbout), &QAction::triggered, this, &CMainFrame::OnAppAbout);
    connect(Command(CommandId::kHomePage), &QAction::triggered, view, &CBrevantVeltraFileScanView::OnHomePage);
}

void CMainFrame::ShowRecentBackups(QMenu& file)
{
    qDeleteAll(m_recentActions);
    m_recentActions.clear();
    const QStringList recent = WindowMemory(m_services.settings).RecentBackups();
    if (recent.isEmpty())
        return;
    QAction* before = Command(CommandId::kSave);
    const QList<QAction*> actions = file.actions();
    before = actions.value(actions.indexOf(before) + 1); // the separator above Exit
    m_recentActions << file.insertSeparator(before);
    for (int k = 0; k < recent.size(); ++k) {
        const QString text = file.fontMetrics().elidedText(QDir::toNativeSeparators(recent[k]), Qt::ElideMiddle, 420);
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(k + 1).arg(text), &file);
        const QString path = recent[k];
        connect(action, &QAction::triggered, m_pView, [this, path] { m_pView->OpenRecentBackup(path); });
        file.insertAction(before, action);
        m_recentActions << action;
    }
}

QSize CMainFrame::MinimumFrameSize() const
{
    const QScreen* display = screen();
    if (display == nullptr)
        return kDesignedMinimum;
    // Until the window manager has framed the window its frame is guessed.
    const QMargins frame(geometry().left() - frameGeometry().left(), geometry().top() - frameGeometry().top(),
                         frameGeometry().right() - geometry().right(),
                         frameGeometry().bottom() - geometry().bottom());
    return MinimumWindowSize(kDesignedMinimum, display->availableSize(), frame.isNull() ? kFrameGuess : frame);
}

bool CMainFrame::RestoreWindow()
{
    return restoreGeometry(WindowMemory(m_services.settings).Geometry());
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    setMinimumSize(MinimumFrameSize());
}

void CMainFrame::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (minimumSize() != MinimumFrameSize())
        setMinimumSize(MinimumFrameSize());
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == statusBar() && event->type() == QEvent::Resize)
        LayOutStatusBar();
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::LayOutStatusBar()
{
    const StatusBarLayout layout = ::LayOutStatusBar(statusBar()->width());
    m_wndProgress->setGeometry(layout.progress);
    m_lblScanPos->setGeometry(layout.scanPosition);
    m_lblFileCount->setGeometry(layout.fileCount);
    m_wndProgress->raise();
    m_lblScanPos->raise();
    m_lblFileCount->raise();
}

// --- The scan on the status bar ------------------------------------------------

void CMainFrame::FollowScan(const ScanSession& scan)
{
    connect(&scan, &ScanSession::runningChanged, this, &CMainFrame::SetProgressVisible);
    connect(&scan, &ScanSession::ended, this, [this] { SetProgressVisible(false); });
    connect(&scan, &ScanSession::progressChanged, m_wndProgress, &QProgressBar::setValue);
    connect(&scan, &ScanSession::scanPositionChanged, this, &CMainFrame::SetScanPositionText);
    connect(&scan, &ScanSession::fileCountChanged, this, &CMainFrame::SetFileCountText);
}

void CMainFrame::SetProgressVisible(bool visible)
{
    m_wndProgress->setVisible(visible);
    ShowTickTotals(m_lblTicks->text());
}

void CMainFrame::SetScanPositionText(const QString& text)
{
    SetScanLabel(*m_lblScanPos, text);
}

void CMainFrame::SetFileCountText(const QString& text)
{
    SetScanLabel(*m_lblFileCount, text);
}

// --- Asked by the view ------------------------------------------------------------

void CMainFrame::ShowStatusText(const QString& text)
{
    statusBar()->showMessage(text);
}

// --- Commands --------------------------------------------------------------------

void CMainFrame::OnHelpFile()
{
    RunHelpFile(m_services, m_strStartDir, UserManualPath());
}

void CMainFrame::OnLiveUpdate()
{
    if (RunLiveUpdate(m_services, m_strStartDir))
        EndApplication();
}

void CMainFrame::OnSettings()
{
    CSettingsDlg dialog(m_strFilePrefix, m_bRestoreDates, m_services.messages, this);
    dialog.exec();
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_bEnding) {
        event->accept();
        return;
    }
    // The window closes only with the application, which EndApplication ends.
    event->ignore();
    // A close from the desktop (logout) can come while the save's window is open.
    if (m_pView->Save().IsSaving()) {
        m_pView->Save().AskToStopSave([this] { EndAfterSave(0); });
        return;
    }
    const int answer = m_services.messages.ShowMessage(Texts::Tr("Do you really want to exit?"),
                                                       MessageService::kConfirm);
    if (answer == MessageService::kYes)
        EndApplication();
}

// A running scan is stopped first: its worker ends at its next slot, when the
// view is destroyed, instead of being cut off inside a read.
void CMainFrame::EndApplication(int exitCode)
{
    WindowMemory(m_services.settings).SetGeometry(saveGeometry());
    m_bEnding = true;
    m_pView->Session().StopScan();
    m_services.shell.EndApplication(exitCode);
}

void CMainFrame::EndAfterSave(int exitCode)
{
    if (!m_pView->Save().IsSaving()) {
        EndApplication(exitCode);
        return;
    }
    m_exitAfterSave = exitCode;
    m_pView->Save().StopSave(false);
}

bool CMainFrame::OnSaveEnded()
{
    if (m_exitAfterSave < 0)
        return false;
    EndApplication(m_exitAfterSave);
    return true;
}

void CMainFrame::OnStopSignal(int signal)
{
    if (m_stopSignal != 0) {
        m_pView->Save().StopSave(true);
        return;
    }
    m_stopSignal = signal;
    EndAfterSave(128 + signal);
}
