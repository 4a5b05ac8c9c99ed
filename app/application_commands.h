// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of the frame that reach outside the program: the help file
// and Live Update, both looked up in the working directory the process
// started in (not the executable's folder).

#include <QString>

struct WindowServices;

// Opens "Brevant Veltra for BKF.chm" from `startDir`, or says it is missing.
void RunHelpFile(const WindowServices& services, const QString& startDir);

// Starts "Veltra Live Update.exe" from `startDir` with "<QVBKF>" after the
// user agreed; true when it was started and the application must end.
bool RunLiveUpdate(const WindowServices& services, const QString& startDir);
