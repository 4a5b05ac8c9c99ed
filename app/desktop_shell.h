// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window asks of the desktop: open a document or a web page, start
// another program, end this one. The window uses SystemDesktopShell; tests
// give it a recorder. Window thread only.

#include <QString>
#include <QStringList>

class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    // Opens the file with the desktop's program for it. Failures are not reported.
    virtual void OpenDocument(const QString& path) = 0;
    virtual void OpenWebPage(const QString& url) = 0;
    // Starts `program` detached with `arguments`.
    virtual void StartProgram(const QString& program, const QStringList& arguments) = 0;
    // Ends the application's event loop with `exitCode`.
    virtual void EndApplication(int exitCode) = 0;
};

class SystemDesktopShell : public DesktopShell {
public:
    void OpenDocument(const QString& path) override;
    void OpenWebPage(const QString& url) override;
    void StartProgram(const QString& program, const QStringList& arguments) override;
    void EndApplication(int exitCode) override;
};
