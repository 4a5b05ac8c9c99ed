// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line_backup.h"

#include <QUrl>

QString CommandLineBackup(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return QString();
    const QString& argument = arguments.at(1);
    if (argument.startsWith(QLatin1String("file://")))
        return QUrl(argument).toLocalFile();
    return argument;
}
