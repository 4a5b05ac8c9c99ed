// SPDX-License-Identifier: GPL-3.0-or-later
#include "application_commands.h"

#include "desktop_shell.h"
#include "message_service.h"
#include "product_info.h"
#include "texts.h"
#include "window_services.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString InStartDir(const QString& startDir, const char* fileName)
{
    return QDir(startDir).filePath(QString::fromUtf8(fileName));
}

} // namespace

QString UserManualPath()
{
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(BKF_MANUAL_FROM_BINDIR));
}

void RunHelpFile(const WindowServices& services, const QString& startDir, const QString& manualPath)
{
    const QString chm = InStartDir(startDir, ProductInfo::kHelpFileName);
    if (QFileInfo::exists(chm))
        services.shell.OpenDocument(chm);
    else if (QFileInfo::exists(manualPath))
        services.shell.OpenDocument(manualPath);
    else
        services.messages.ShowMessage(
            Texts::Tr("Help file for %1 not found").arg(ProductInfo::kApplicationName), MessageService::kInform);
}

bool RunLiveUpdate(const WindowServices& services, const QString& startDir)
{
    const QString path = InStartDir(startDir, ProductInfo::kLiveUpdateFileName);
    if (!QFileInfo::exists(path)) {
        services.messages.ShowMessage(
            Texts::Tr("Updates of %1 come with the system's package manager.").arg(ProductInfo::kApplicationName),
            MessageService::kInform);
        return false;
    }
    const int answer = services.messages.ShowMessage(
        Texts::Tr("The application will be closed if you want to run Live Update of the software. Continue ?"),
        MessageService::kConfirm);
    if (answer == MessageService::kNo)
        return false;
    services.shell.StartProgram(path, {QString::fromUtf8(ProductInfo::kLiveUpdateParameter)});
    return true;
}
