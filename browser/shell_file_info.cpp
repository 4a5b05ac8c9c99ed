// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell_file_info.h"

#include "texts.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>

namespace {

constexpr qsizetype kMaxTypeNameLength = 79;

// Standard icons need a widget style, which exists only with a QApplication.
QIcon StyleIcon(QStyle::StandardPixmap pixmap)
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return {};
    return QApplication::style()->standardIcon(pixmap);
}

QIcon ThemeIcon(const QString& name, QStyle::StandardPixmap fallback)
{
    if (!name.isEmpty() && QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    return StyleIcon(fallback);
}

} // namespace

QString ShellFileInfo::ExtensionOf(const QString& name)
{
    const qsizetype start = std::max(name.lastIndexOf(u'\\'), name.lastIndexOf(u'/')) + 1;
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < start)
        return {};
    return name.mid(dot + 1).toLower();
}

ShellFileInfo::Entry& ShellFileInfo::Lookup(const QString& extension)
{
    auto found = m_cache.find(extension);
    if (found != m_cache.end())
        return *found;

    Entry entry;
    if (extension.isEmpty()) {
        entry.typeName = Texts::Tr("File");
    } else {
        // A made-up base name, so only the extension decides: "Makefile.txt"
        // and "notes.txt" must share one answer.
        const QMimeType type = m_database.mimeTypeForFile(QStringLiteral("a.") + extension,
                                                          QMimeDatabase::MatchExtension);
        if (type.isValid() && !type.isDefault()) {
            entry.typeName = type.comment().left(kMaxTypeNameLength);
            entry.iconName = type.iconName();
            entry.genericIconName = type.genericIconName();
        }
        if (entry.typeName.isEmpty())
            entry.typeName = Texts::Tr("%1 File").arg(extension.toUpper()).left(kMaxTypeNameLength);
    }
    return *m_cache.insert(extension, entry);
}

QString ShellFileInfo::GetFileTypeName(const QString& name)
{
    return Lookup(ExtensionOf(name)).typeName;
}

QIcon ShellFileInfo::GetFileIcon(const QString& name)
{
    Entry& entry = Lookup(ExtensionOf(name));
    if (!entry.iconLoaded) {
        entry.iconLoaded = true;
        if (!entry.iconName.isEmpty() && QIcon::hasThemeIcon(entry.iconName))
            entry.icon = QIcon::fromTheme(entry.iconName);
        else
            entry.icon = ThemeIcon(entry.genericIconName, QStyle::SP_FileIcon);
    }
    return entry.icon;
}

QIcon ShellFileInfo::GetFolderIcon(bool open)
{
    return open ? ThemeIcon(QStringLiteral("folder-open"), QStyle::SP_DirOpenIcon)
                : ThemeIcon(QStringLiteral("folder"), QStyle::SP_DirClosedIcon);
}

QIcon ShellFileInfo::GetBackupIcon()
{
    return ThemeIcon(QStringLiteral("drive-harddisk"), QStyle::SP_DriveHDIcon);
}
