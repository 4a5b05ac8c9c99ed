// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The backup named on the window program's command line.

#include <QString>
#include <QStringList>

// The path in the first argument after the program's name (`arguments` as
// QCoreApplication::arguments() gives them, the desktop's own switches already
// taken out); a file:// URL, as a desktop's "Open with" may hand over, becomes
// the local path it names. Empty when there is no such argument.
QString CommandLineBackup(const QStringList& arguments);
