// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file chooser of the file page. The window uses QtBackupFileChooser;
// tests give it scripted answers.

#include <QString>

class QWidget;

class BackupFileChooser {
public:
    virtual ~BackupFileChooser() = default;
    // Modal, opening in `folder` (the working directory when ""); the chosen
    // file's full path, or an empty text when cancelled.
    virtual QString ChooseBackupFile(QWidget* parent, const QString& folder) = 0;
};

// An open-file dialog titled "Select corrupted file to repair..." with the
// filters "Backup Files(*.bkf)" and " All Files(*.*)", the second showing
// every file (names without a dot too). The desktop's own dialog where the
// platform offers one (a portal or a platform theme), Qt's elsewhere.
class QtBackupFileChooser : public BackupFileChooser {
public:
    QString ChooseBackupFile(QWidget* parent, const QString& folder) override;
};

// Whether the file's extension is "bkf", in any case.
bool HasBkfExtension(const QString& path);
