// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A backup dropped on the wizard: the file page takes one local .bkf file
// (its extension in any case) and refuses anything else; the results page
// takes nothing. The view hands its drag events here. Window thread only.

#include <QObject>
#include <QString>

class CWizardPages;
class QDragEnterEvent;
class QDropEvent;
class QMimeData;

class BackupDrop : public QObject {
    Q_OBJECT

public:
    // `pages` outlives this object.
    explicit BackupDrop(const CWizardPages& pages, QObject* parent = nullptr);

    // Accepts a drag that carries a droppable backup.
    void Enter(QDragEnterEvent& event) const;
    // Accepts a droppable backup and announces it.
    void Drop(QDropEvent& event);

signals:
    void dropped(const QString& path);

private:
    // The one local .bkf file `data` carries on the file page, or "".
    QString DroppableBackup(const QMimeData* data) const;

    const CWizardPages& m_pages;
};
