// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window asks of the desktop: open a document or a web page, start
// another program, end this one. The window uses SystemDesktopShell; tests
// give it a recorder. Window thread only.

#include <QObject>
#include <QString>
#include <QStringList>

class MessageService;

class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    // Opens the file with the desktop's program for it.
    virtual void OpenDocument(const QString& path) = 0;
    virtual void OpenWebPage(const QString& url) = 0;
    // Starts `program` detached with `arguments`.
    virtual void StartProgram(const QString& program, const QStringList& arguments) = 0;
    // Ends the application's event loop with `exitCode`.
    virtual void EndApplication(int exitCode) = 0;
};

// Opens through xdg-open, which finds the desktop's program for the file or
// page. What could not be opened or started is said in a message, naming
// it: xdg-open missing, or finding no program (it ends with a failure).
class SystemDesktopShell : public DesktopShell {
public:
    // `messages` outlives the shell.
    explicit SystemDesktopShell(MessageService& messages);
    ~SystemDesktopShell() override;

    void OpenDocument(const QString& path) override;
    void OpenWebPage(const QString& url) override;
    void StartProgram(const QString& program, const QStringList& arguments) override;
    void EndApplication(int exitCode) override;

    // The xdg-open runs whose outcome has not come yet. Those still running
    // when the shell goes are ended quietly; the programs they started stay.
    int OpenersPending() const;

private:
    // Runs xdg-open on `target`; a failure names `shown`.
    void Open(const QString& target, const QString& shown);
    void SayNotOpened(const QString& shown, const char* reason);

    MessageService& m_messages;
    QObject m_openers; // the parent of the xdg-open processes
    int m_openersPending = 0;
};
