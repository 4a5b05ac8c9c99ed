// SPDX-License-Identifier: GPL-3.0-or-later
#include "brevant_veltra_file_scan_app.h"

#include "artwork.h"
#include "brevant_veltra_file_scan_view.h"
#include "command_line_backup.h"
#include "main_frame.h"
#include "product_info.h"
#include "stop_signal_notifier.h"
#include "surface_ink.h"
#include "window_services.h"

#include <QIcon>
#include <QTimer>

CBrevantVeltraFileScanApp::CBrevantVeltraFileScanApp(int& argc, char** argv)
    : QApplication(argc, argv),
      m_settings(QString::fromUtf8(ProductInfo::kSettingsOrganisation), QString::fromUtf8(ProductInfo::kApplicationName))
{
    // To see the window as a dark desktop theme shows it (screenshots).
    if (qEnvironmentVariableIsSet("BKF_DARK_PALETTE"))
        setPalette(DarkDesktopPalette());
    setApplicationName(QString::fromUtf8(ProductInfo::kApplicationName));
    setOrganizationName(QString::fromUtf8(ProductInfo::kSettingsOrganisation));
    setDesktopFileName(QString::fromUtf8(ProductInfo::kDesktopId));
    // The installed icon theme's copy when there is one (an SVG, sharp at
    // any size), else the same drawing made here.
    setWindowIcon(QIcon::fromTheme(QString::fromUtf8(ProductInfo::kDesktopId), Artwork::ApplicationIcon()));
}

CBrevantVeltraFileScanApp::~CBrevantVeltraFileScanApp() = default;

void CBrevantVeltraFileScanApp::InitInstance()
{
    m_frame = std::make_unique<CMainFrame>(
        WindowServices{m_messages, m_shell, m_chooser, m_folderChooser, m_settings});
    if (m_frame->RestoreWindow())
        m_frame->show();
    else
        m_frame->showMaximized();
    auto* stopSignals = new StopSignalNotifier(this);
    connect(stopSignals, &StopSignalNotifier::stopSignal, m_frame.get(), &CMainFrame::OnStopSignal);
    QTimer::singleShot(0, this, &CBrevantVeltraFileScanApp::OpenCommandLineBackup);
}

// Beyond the desktop's own switches, the one argument is a backup: it fills
// the file-name box and its scan starts, once the window has shown.
void CBrevantVeltraFileScanApp::OpenCommandLineBackup()
{
    const QString backup = CommandLineBackup(QApplication::arguments());
    if (!backup.isEmpty())
        m_frame->View().OpenBackup(backup);
}
