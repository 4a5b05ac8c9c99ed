// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window needs from outside itself: the message box, the desktop and
// the file chooser. The application passes the real ones; tests pass
// scripted ones. All outlive the window.

class BackupFileChooser;
class DesktopShell;
class MessageService;

struct WindowServices {
    MessageService& messages;
    DesktopShell& shell;
    BackupFileChooser& chooser;
};
