// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup_drop.h"

#include "backup_file_chooser.h"
#include "wizard_pages.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

BackupDrop::BackupDrop(const CWizardPages& pages, QObject* parent) : QObject(parent), m_pages(pages) {}

void BackupDrop::Enter(QDragEnterEvent& event) const
{
    if (!DroppableBackup(event.mimeData()).isEmpty())
        event.acceptProposedAction();
}

void BackupDrop::Drop(QDropEvent& event)
{
    const QString path = DroppableBackup(event.mimeData());
    if (path.isEmpty())
        return;
    event.acceptProposedAction();
    emit dropped(path);
}

QString BackupDrop::DroppableBackup(const QMimeData* data) const
{
    if (m_pages.Page() != 0 || data == nullptr || data->urls().size() != 1)
        return QString();
    const QUrl url = data->urls().first();
    if (!url.isLocalFile() || !HasBkfExtension(url.toLocalFile()))
        return QString();
    return url.toLocalFile();
}
