// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file chooser of the file page. The window uses QtBackupFileChooser;
// tests give it scripted answers.

#include <QString>

class QWidget;

class BackupFileChooser {
public:
    virtual ~BackupFileChooser() = default;
    // Modal; the chosen file's full path, or an empty text when cancelled.
    virtual QString ChooseBackupFile(QWidget* parent) = 0;
};

// An open-file dialog titled "Select corrupted file to repair..." with the
// filters "Backup Files(*.bkf)" and " All Files(*.*)", the second showing
// every file (names without a dot too).
class QtBackupFileChooser : public BackupFileChooser {
public:
    QString ChooseBackupFile(QWidget* parent) override;
};

// Whether the file's extension is "bkf", in any case.
bool HasBkfExtension(const QString& path);
