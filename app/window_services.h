// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window needs from outside itself: the message box, the desktop,
// the file chooser, the save's folder chooser and the settings it remembers
// between starts. The application passes the real ones; tests pass scripted
// ones. All outlive the window.

class BackupFileChooser;
class DesktopShell;
class MessageService;
class QSettings;
class SaveFolderChooser;

struct WindowServices {
    MessageService& messages;
    DesktopShell& shell;
    BackupFileChooser& chooser;
    SaveFolderChooser& folderChooser;
    QSettings& settings;
};
