// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop shell with a stand-in xdg-open on PATH: what could not be
// opened is said in a message that names it; an opened file says nothing.

#include "desktop_shell.h"
#include "scripted_message_service.h"
#include "temp_path.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <string>

namespace {

// PATH holds only `dir` while it lives.
class PathOf {
public:
    explicit PathOf(const std::string& dir) : m_saved(qgetenv("PATH")) { qputenv("PATH", dir.c_str()); }
    ~PathOf() { qputenv("PATH", m_saved); }

private:
    QByteArray m_saved;
};

void WriteOpener(const std::string& dir, int exitCode)
{
    QFile script(QString::fromStdString(dir + "/xdg-open"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QByteArray("#!/bin/sh\nexit ") + QByteArray::number(exitCode) + "\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
}

} // namespace

// Fault: F1, Open and "Open the output folder? Yes" did nothing visible when
// no program opened the file.
TEST(DesktopShell, WhatCouldNotBeOpenedIsNamedInAMessage)
{
    struct Case {
        const char* name;
        int opener; // the stand-in's exit code; -1: no xdg-open at all
        QString message;
    };
    const Case cases[] = {
        {"opened", 0, QString()},
        {"no program for it", 3, "/saved/report.pdf could not be opened: no program on this desktop opens it"},
        {"no xdg-open", -1, "/saved/report.pdf could not be opened: xdg-open (from xdg-utils) was not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir bin;
        if (c.opener >= 0)
            WriteOpener(bin.Path(), c.opener);
        const PathOf path(bin.Path());
        ScriptedMessageService messages;
        SystemDesktopShell shell(messages);
        shell.OpenDocument("/saved/report.pdf");
        const QDeadlineTimer deadline(20000);
        while (shell.OpenersPending() > 0 && !deadline.hasExpired())
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        ASSERT_EQ(shell.OpenersPending(), 0);
        QStringList shown;
        for (const ScriptedMessageService::Shown& message : messages.shown)
            shown << message.text;
        EXPECT_EQ(shown, c.message.isEmpty() ? QStringList() : QStringList{c.message});
    }
}
