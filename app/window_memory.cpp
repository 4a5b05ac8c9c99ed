// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_memory.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString kGeometry = QStringLiteral("Window/Geometry");
const QString kLastFolder = QStringLiteral("Backups/LastFolder");
const QString kRecent = QStringLiteral("Backups/Recent");

} // namespace

WindowMemory::WindowMemory(QSettings& settings)
    : m_settings(settings)
{
}

QByteArray WindowMemory::Geometry() const
{
    return m_settings.value(kGeometry).toByteArray();
}

void WindowMemory::SetGeometry(const QByteArray& geometry)
{
    m_settings.setValue(kGeometry, geometry);
}

QString WindowMemory::LastBackupFolder() const
{
    return m_settings.value(kLastFolder).toString();
}

QStringList WindowMemory::RecentBackups() const
{
    return m_settings.value(kRecent).toStringList().mid(0, kRecentBackups);
}

void WindowMemory::NoteBackup(const QString& path)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList recent = RecentBackups();
    recent.removeAll(full);
    recent.prepend(full);
    m_settings.setValue(kRecent, recent.mid(0, kRecentBackups));
    m_settings.setValue(kLastFolder, QFileInfo(full).absolutePath());
}
