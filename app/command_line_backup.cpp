// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line_backup.h"

#include "build_info.h"

#include <QRegularExpression>
#include <QUrl>

namespace {

constexpr const char* kHelp =
    "Usage: brevant-veltra-bkf [BACKUP.bkf]\n"
    "Opens the Brevant Veltra BKF recovery window; with BACKUP.bkf (a path or a\n"
    "file:// URL) it starts scanning that backup at once.\n"
    "\n"
    "      --help     display this help and exit\n"
    "      --version  output version information and exit\n"
    "\n"
    "F1 in the window opens the user's manual. The same recovery on the command\n"
    "line: bkf-recover --help.\n";
constexpr const char* kVersion = "brevant-veltra-bkf (Brevant Veltra BKF) " BKF_VERSION "\n" BKF_VERSION_NOTICE;

// The switches that Qt (QGuiApplication, QApplication, the X11 plugin) takes
// out of the command line, as -name, --name or -name=value.
bool IsQtSwitch(const QString& option)
{
    static const QStringList kQtSwitches = {
        "platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger", "qwindowgeometry",
        "qwindowicon", "qwindowtitle", "reverse", "session", "display", "geometry", "name", "title", "visual",
        "ncols", "cmap", "im", "inputstyle", "nograb", "dograb", "sync", "style", "stylesheet", "widgetcount"};
    const QString name = option.mid(option.startsWith(QLatin1String("--")) ? 2 : 1).section('=', 0, 0);
    return kQtSwitches.contains(name);
}

} // namespace

QString CommandLineBackup(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return QString();
    const QString& argument = arguments.at(1);
    if (argument.startsWith(QLatin1String("file://")))
        return QUrl(argument).toLocalFile();
    return argument;
}

std::optional<CommandLineAnswer> AnswerOptions(const QStringList& arguments)
{
    const QStringList options = arguments.mid(1).filter(QRegularExpression("^-"));
    for (const QString& option : options) {
        if (option == QLatin1String("--help"))
            return CommandLineAnswer{0, QString::fromUtf8(kHelp), QString()};
        if (option == QLatin1String("--version"))
            return CommandLineAnswer{0, QString::fromUtf8(kVersion), QString()};
    }
    for (const QString& option : options) {
        if (!IsQtSwitch(option))
            return CommandLineAnswer{
                1, QString(),
                QStringLiteral("brevant-veltra-bkf: unknown option '%1' (see brevant-veltra-bkf --help)\n").arg(option)};
    }
    return std::nullopt;
}
