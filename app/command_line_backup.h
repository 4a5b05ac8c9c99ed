// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The backup named on the window program's command line, and its options:
//
//   brevant-veltra-bkf [BACKUP.bkf]
//   brevant-veltra-bkf --help | --version

#include <QString>
#include <QStringList>

#include <optional>

// The path in the first argument after the program's name (`arguments` as
// QCoreApplication::arguments() gives them, the desktop's own switches already
// taken out); a file:// URL, as a desktop's "Open with" may hand over, becomes
// the local path it names. Empty when there is no such argument.
QString CommandLineBackup(const QStringList& arguments);

// What the command line asks for before any window opens: --help or
// --version (the first of them) print their text on stdout and end with 0;
// an argument starting with "-" that Qt does not take for itself ends with 1
// and one line on stderr. Nothing: the window starts.
struct CommandLineAnswer {
    int exitCode;
    QString out;
    QString err;
};
std::optional<CommandLineAnswer> AnswerOptions(const QStringList& arguments);
