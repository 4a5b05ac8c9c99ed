// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_folder_chooser.h"

#include "system_texts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>

namespace {

// Qt's folder dialog refuses a typed folder that does not exist; a save
// creates it instead, so that a new folder takes one line of typing. When it
// cannot be made, the dialog's own "Directory not found" warning follows.
class FolderDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        if (!chosen.isEmpty() && !QFileInfo::exists(chosen.constFirst()))
            QDir().mkpath(chosen.constFirst());
        QFileDialog::accept();
    }
};

} // namespace

QString CFolderBrowser::BrowseForSaveFolder(QWidget* owner)
{
    FolderDialog dialog(owner, Texts::Tr(SystemText::kSaveFolderTitle));
    dialog.setOptions(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Keyboard users type the folder's path straight away.
    QTimer::singleShot(0, &dialog, [&dialog] {
        if (auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            edit->setFocus(Qt::OtherFocusReason);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
