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

// A folder dialog titled "Please select the Directory to Save the repaired
// files": the desktop's own where the platform offers one (a portal or a
// platform theme), Qt's elsewhere. In Qt's, the file-name box has the focus:
// typing an absolute path and Enter takes that folder, creating it (and its
// missing parents) when it does not exist yet; one that cannot be created is
// refused with the dialog's "Directory not found" warning, and the dialog
// stays open.
class CFolderBrowser : public SaveFolderChooser {
public:
    QString BrowseForSaveFolder(QWidget* owner) override;
};
