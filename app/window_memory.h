// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window remembers from one start to the next, in the user's
// settings beside the read-only menu look values: its geometry, the folder
// of the last backup opened and the last five backups. The prefix of the
// output folder is not among them: it lives in memory only.

#include <QByteArray>
#include <QString>
#include <QStringList>

class QSettings;

class WindowMemory {
public:
    static constexpr int kRecentBackups = 5;

    // `settings` outlives this object.
    explicit WindowMemory(QSettings& settings);

    QByteArray Geometry() const;
    void SetGeometry(const QByteArray& geometry);

    // Where the file chooser opens; "" when no backup was opened yet.
    QString LastBackupFolder() const;
    // Newest first, at most kRecentBackups.
    QStringList RecentBackups() const;
    // `path` was opened: first in the list (once), its folder the last folder.
    void NoteBackup(const QString& path);

private:
    QSettings& m_settings;
};
