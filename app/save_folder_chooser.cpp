// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_folder_chooser.h"

#include "system_texts.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

QString CFolderBrowser::BrowseForSaveFolder(QWidget* owner)
{
    QFileDialog dialog(owner, QString::fromUtf8(SystemText::kSaveFolderTitle));
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly);
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
