// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_shell.h"

#include "message_service.h"
#include "texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

namespace {

constexpr const char* kNotOpened = QT_TRANSLATE_NOOP("Texts", "%1 could not be opened: %2");
constexpr const char* kNoOpener = QT_TRANSLATE_NOOP("Texts", "xdg-open (from xdg-utils) was not found");
constexpr const char* kNoProgram = QT_TRANSLATE_NOOP("Texts", "no program on this desktop opens it");
constexpr const char* kNotStarted = QT_TRANSLATE_NOOP("Texts", "%1 could not be started");

} // namespace

SystemDesktopShell::SystemDesktopShell(MessageService& messages) : m_messages(messages) {}

// An opener still running is ended quietly: the program it started stays,
// and nothing is said while the application ends.
SystemDesktopShell::~SystemDesktopShell()
{
    for (QObject* child : m_openers.children()) {
        auto* opener = static_cast<QProcess*>(child);
        opener->disconnect();
        opener->kill();
        opener->waitForFinished();
    }
    qDeleteAll(m_openers.children());
}

void SystemDesktopShell::OpenDocument(const QString& path)
{
    Open(path, QDir::toNativeSeparators(path));
}

void SystemDesktopShell::OpenWebPage(const QString& url)
{
    Open(url, url);
}

void SystemDesktopShell::StartProgram(const QString& program, const QStringList& arguments)
{
    if (!QProcess::startDetached(program, arguments))
        m_messages.ShowMessage(Texts::Tr(kNotStarted).arg(QDir::toNativeSeparators(program)), MessageService::kInform);
}

void SystemDesktopShell::EndApplication(int exitCode)
{
    QCoreApplication::exit(exitCode);
}

int SystemDesktopShell::OpenersPending() const
{
    return m_openersPending;
}

void SystemDesktopShell::Open(const QString& target, const QString& shown)
{
    auto* opener = new QProcess(&m_openers);
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    const auto ended = [this, opener, shown](const char* failure) {
        opener->deleteLater();
        --m_openersPending;
        if (failure != nullptr)
            SayNotOpened(shown, failure);
    };
    QObject::connect(opener, &QProcess::errorOccurred, opener, [ended](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            ended(kNoOpener);
    });
    QObject::connect(opener, &QProcess::finished, opener, [ended](int exitCode, QProcess::ExitStatus status) {
        ended(status == QProcess::NormalExit && exitCode == 0 ? nullptr : kNoProgram);
    });
    ++m_openersPending;
    opener->start(QStringLiteral("xdg-open"), {target});
}

void SystemDesktopShell::SayNotOpened(const QString& shown, const char* reason)
{
    m_messages.ShowMessage(Texts::Tr(kNotOpened).arg(shown, Texts::Tr(reason)), MessageService::kInform);
}
