// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object: names the application and its settings, builds the
// main frame with the real message box, desktop and file chooser, shows it
// maximised, and scans a backup named on the command line.

#include "backup_file_chooser.h"
#include "desktop_shell.h"
#include "pp_message_box.h"
#include "save_folder_chooser.h"
#include "window_translations.h"

#include <QApplication>
#include <QSettings>

#include <memory>

class CMainFrame;

class CBrevantVeltraFileScanApp : public QApplication {
    Q_OBJECT

public:
    CBrevantVeltraFileScanApp(int& argc, char** argv);
    ~CBrevantVeltraFileScanApp() override;

    // Creates and shows the frame; the event loop then scans the backup
    // named on the command line, if any.
    void InitInstance();
    CMainFrame& Frame() const { return *m_frame; }

private:
    void OpenCommandLineBackup();

    // The desktop's language, when a translation of the window is installed.
    WindowTranslations m_translations{QLocale()};
    PPMessageBox m_messages;
    SystemDesktopShell m_shell{m_messages};
    QtBackupFileChooser m_chooser;
    CFolderBrowser m_folderChooser;
    QSettings m_settings;
    std::unique_ptr<CMainFrame> m_frame;
};
