// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File types and icons for catalogue names, from the extension alone: the
// files live inside the backup, so nothing on disk is ever looked at. Each
// extension is looked up once and kept. User-interface thread only.

#include <QHash>
#include <QIcon>
#include <QMimeDatabase>
#include <QString>

#include <cstddef>

class ShellFileInfo {
public:
    // The type name for a file name or catalogue path: the description of the
    // MIME type registered for its extension; "XYZ File" for an extension
    // nobody registered and "File" without one, as a file manager shows them.
    // At most 79 characters.
    QString GetFileTypeName(const QString& name);
    // The icon of that MIME type from the icon theme, or a generic file icon.
    QIcon GetFileIcon(const QString& name);

    static QIcon GetFolderIcon(bool open = false);
    // A drive-like icon for the backup itself (the tree's top-level node).
    static QIcon GetBackupIcon();

    // The lower-cased text after the last "." of the last path component
    // ("\" or "/" separated); empty when there is none.
    static QString ExtensionOf(const QString& name);
    // Extensions looked up so far.
    std::size_t CachedExtensionCount() const { return static_cast<std::size_t>(m_cache.size()); }

private:
    struct Entry {
        QString typeName;
        QString iconName;
        QString genericIconName;
        QIcon icon;
        bool iconLoaded = false;
    };

    Entry& Lookup(const QString& extension);

    QMimeDatabase m_database;
    QHash<QString, Entry> m_cache;
};
