// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_file.h"

#include "texts.h"

#include <QDir>
#include <QFileDialog>
#include <QSaveFile>

QString WriteReportFile(const QString& path, const QString& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return file.errorString();
    const QByteArray bytes = (text.endsWith('\n') ? text : text + '\n').toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return QString();
}

QString SaveReportAs(QWidget* parent, const QString& text)
{
    const QString path = QFileDialog::getSaveFileName(
        parent, Texts::Tr("Save report"),
        QDir::home().filePath(Texts::Tr("Brevant Veltra BKF report") + QStringLiteral(".txt")),
        Texts::Tr("Text files (*.txt);;All files (*)"));
    if (path.isEmpty())
        return QString();
    const QString why = WriteReportFile(path, text);
    return why.isEmpty() ? QString() : Texts::Tr("The report could not be saved in %1: %2").arg(path, why);
}
