// SPDX-License-Identifier: GPL-3.0-or-later
// The backup the window opens from its command line, as a shell or a
// desktop's "Open with" names it.

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

} // namespace
