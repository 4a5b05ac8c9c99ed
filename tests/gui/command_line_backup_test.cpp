// SPDX-License-Identifier: GPL-3.0-or-later
// The backup the window opens from its command line, as a shell or a
// desktop's "Open with" names it, and the options it answers or refuses.

#include "build_info.h"
#include "command_line_backup.h"

#include <gtest/gtest.h>

namespace {

struct ArgumentCase {
    const char* name;
    QStringList arguments;
    QString backup;
};

TEST(CommandLineBackupTest, NamesThePathTheCallerMeant)
{
    const ArgumentCase cases[] = {
        { "no argument", { "brevant-veltra-bkf" }, QString() },
        { "absolute path", { "brevant-veltra-bkf", "/home/ann/Office backup.bkf" }, "/home/ann/Office backup.bkf" },
        { "relative path stays relative", { "brevant-veltra-bkf", "backups/daily.bkf" }, "backups/daily.bkf" },
        { "percent signs in a path are kept", { "brevant-veltra-bkf", "/tmp/100%20.bkf" }, "/tmp/100%20.bkf" },
        { "file URL", { "brevant-veltra-bkf", "file:///home/ann/Office%20backup%20%231.bkf" },
          "/home/ann/Office backup #1.bkf" },
        { "only the first argument", { "brevant-veltra-bkf", "a.bkf", "b.bkf" }, "a.bkf" },
    };
    for (const ArgumentCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CommandLineBackup(c.arguments).toStdString(), c.backup.toStdString());
    }
}

struct OptionCase {
    const char* name;
    QStringList arguments;
    int exitCode;             // -1: the window starts
    QString firstPrintedLine; // of --help or --version, on stdout
    QString refused;          // on stderr
};

TEST(CommandLineBackupTest, HelpAndVersionPrintOtherOptionsAreRefused)
{
    const QString version = "brevant-veltra-bkf (Brevant Veltra BKF) " BKF_VERSION;
    const QString unknown = "brevant-veltra-bkf: unknown option '%1' (see brevant-veltra-bkf --help)\n";
    const OptionCase cases[] = {
        { "help", { "brevant-veltra-bkf", "--help" }, 0, "Usage: brevant-veltra-bkf [BACKUP.bkf]", "" },
        { "version after a backup and an option", { "brevant-veltra-bkf", "a.bkf", "-x", "--version" }, 0, version, "" },
        { "unknown long option", { "brevant-veltra-bkf", "--scan" }, 1, "", unknown.arg("--scan") },
        { "option after a backup", { "brevant-veltra-bkf", "a.bkf", "-x" }, 1, "", unknown.arg("-x") },
        { "Qt's own switches", { "brevant-veltra-bkf", "-platform", "offscreen", "--style=fusion", "a.bkf" }, -1, "", "" },
        { "a backup", { "brevant-veltra-bkf", "a.bkf" }, -1, "", "" },
        { "a path that starts with ./-", { "brevant-veltra-bkf", "./-a.bkf" }, -1, "", "" },
    };
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto answer = AnswerOptions(c.arguments);
        EXPECT_EQ(answer ? answer->exitCode : -1, c.exitCode);
        EXPECT_EQ(answer ? answer->out.section('\n', 0, 0) : QString(), c.firstPrintedLine);
        EXPECT_EQ(answer ? answer->err : QString(), c.refused);
    }
}

} // namespace
