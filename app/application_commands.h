// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of the frame that reach outside the program: the help file
// and Live Update, both looked up in the working directory the process
// started in (not the executable's folder), and the installed manual.

#include <QString>

struct WindowServices;

// The user's manual installed with the program (share/doc beside its bin/).
QString UserManualPath();

// Opens "Brevant Veltra for BKF.chm" from `startDir`, else the HTML manual at
// `manualPath`, or says that there is no help file.
void RunHelpFile(const WindowServices& services, const QString& startDir, const QString& manualPath);

// Starts "Veltra Live Update.exe" from `startDir` with "<QVBKF>" after the
// user agreed; true when it was started and the application must end.
// Without the updater it says that updates come with the package manager.
bool RunLiveUpdate(const WindowServices& services, const QString& startDir);
