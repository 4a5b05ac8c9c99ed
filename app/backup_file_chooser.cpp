// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup_file_chooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>

namespace {

const QString kBackupFilter = QStringLiteral("Backup Files(*.bkf)");
const QString kAllFilter = QStringLiteral(" All Files(*.*)");

// "*.*" matches only names with a dot here; the "All Files" filter means every file.
void ShowEveryFileUnderAllFilter(QFileDialog& dialog)
{
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        if (filter != kAllFilter)
            return;
        if (auto* model = dialog.findChild<QFileSystemModel*>())
            model->setNameFilters({QStringLiteral("*")});
    });
}

} // namespace

QString QtBackupFileChooser::ChooseBackupFile(QWidget* parent, const QString& folder)
{
    QFileDialog dialog(parent, QStringLiteral("Select corrupted file to repair..."), folder);
    dialog.setOption(QFileDialog::ReadOnly);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters({kBackupFilter, kAllFilter});
    ShowEveryFileUnderAllFilter(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return QFileInfo(dialog.selectedFiles().first()).absoluteFilePath();
}

bool HasBkfExtension(const QString& path)
{
    return QFileInfo(path).suffix().compare(QStringLiteral("bkf"), Qt::CaseInsensitive) == 0;
}
