// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

void SystemDesktopShell::OpenDocument(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void SystemDesktopShell::OpenWebPage(const QString& url)
{
    QDesktopServices::openUrl(QUrl(url));
}

void SystemDesktopShell::StartProgram(const QString& program, const QStringList& arguments)
{
    QProcess::startDetached(program, arguments);
}

void SystemDesktopShell::EndApplication(int exitCode)
{
    QCoreApplication::exit(exitCode);
}
