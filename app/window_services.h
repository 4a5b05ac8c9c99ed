// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window needs from outside itself: the message box, the desktop,
// the file chooser and the save's folder chooser. The application passes the real ones; tests pass
// scripted ones. All outlive the window.

class BackupFileChooser;
class DesktopShell;
class MessageService;
class SaveFolderChooser;

struct WindowServices {
    MessageService& messages;
    DesktopShell& shell;
    BackupFileChooser& chooser;
    SaveFolderChooser& folderChooser;
};
