// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder chooser of a save. The window uses CFolderBrowser; tests give it
// scripted answers.

#include <QString>

class QWidget;

class SaveFolderChooser {
public:
    virtual ~SaveFolderChooser() = default;
    // Modal; the chosen folder's full path, or an empty text when cancelled.
    virtual QString BrowseForSaveFolder(QWidget* owner) = 0;
};

// Qt's own folder dialog (not the platform's, so that it works the same under
// a bare X server), titled "Please select the Directory to Save the repaired
// files". The file-name box has the focus: typing an absolute path and Enter
// takes that folder. A typed folder that does not exist is refused by the
// dialog with its "Directory not found" warning and the dialog stays open;
// New Folder creates one.
class CFolderBrowser : public SaveFolderChooser {
public:
    QString BrowseForSaveFolder(QWidget* owner) override;
};
