// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup_file_chooser.h"

#include "texts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>

namespace {

const char* const kBackupFilter = QT_TRANSLATE_NOOP("Texts", "Backup Files(*.bkf)");
const char* const kAllFilter = QT_TRANSLATE_NOOP("Texts", " All Files(*.*)");

// "*.*" matches only names with a dot here; the "All Files" filter means every file.
void ShowEveryFileUnderAllFilter(QFileDialog& dialog)
{
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        if (filter != Texts::Tr(kAllFilter))
            return;
        if (auto* model = dialog.findChild<QFileSystemModel*>())
            model->setNameFilters({QStringLiteral("*")});
    });
}

} // namespace

QString QtBackupFileChooser::ChooseBackupFile(QWidget* parent, const QString& folder)
{
    QFileDialog dialog(parent, Texts::Tr("Select corrupted file to repair..."), folder);
    dialog.setOption(QFileDialog::ReadOnly);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters({Texts::Tr(kBackupFilter), Texts::Tr(kAllFilter)});
    ShowEveryFileUnderAllFilter(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return QFileInfo(dialog.selectedFiles().first()).absoluteFilePath();
}

bool HasBkfExtension(const QString& path)
{
    return QFileInfo(path).suffix().compare(QStringLiteral("bkf"), Qt::CaseInsensitive) == 0;
}
