// SPDX-License-Identifier: GPL-3.0-or-later
#include "brevant_veltra_file_scan_app.h"

#include "artwork.h"
#include "brevant_veltra_file_scan_view.h"
#include "main_frame.h"
#include "product_info.h"
#include "window_services.h"

#include <QTimer>

CBrevantVeltraFileScanApp::CBrevantVeltraFileScanApp(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QString::fromUtf8(ProductInfo::kApplicationName));
    setOrganizationName(QString::fromUtf8(ProductInfo::kSettingsOrganisation));
    setWindowIcon(Artwork::ApplicationIcon());
}

CBrevantVeltraFileScanApp::~CBrevantVeltraFileScanApp() = default;

void CBrevantVeltraFileScanApp::InitInstance()
{
    m_frame = std::make_unique<CMainFrame>(WindowServices{m_messages, m_shell, m_chooser, m_folderChooser});
    m_frame->showMaximized();
    QTimer::singleShot(0, this, &CBrevantVeltraFileScanApp::OpenCommandLineBackup);
}

// Beyond the desktop's own switches, the one argument is a backup: it fills
// the file-name box and its scan starts, once the window has shown.
void CBrevantVeltraFileScanApp::OpenCommandLineBackup()
{
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() >= 2 && !arguments.at(1).isEmpty())
        m_frame->View().OpenBackup(arguments.at(1));
}
