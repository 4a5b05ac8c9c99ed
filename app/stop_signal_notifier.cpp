// SPDX-License-Identifier: GPL-3.0-or-later
#include "stop_signal_notifier.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX

#include <QSocketNotifier>

#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int g_pipe[2] = {-1, -1};

// Only write(2) is used here: it is safe in a signal handler.
extern "C" void WriteStopSignal(int signal)
{
    const unsigned char number = static_cast<unsigned char>(signal);
    const ssize_t ignored = ::write(g_pipe[1], &number, 1);
    (void)ignored;
}

void SetFlags(int fd)
{
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

void SetHandler(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

} // namespace

StopSignalNotifier::StopSignalNotifier(QObject* parent)
    : QObject(parent)
{
    if (::pipe(g_pipe) != 0)
        return;
    SetFlags(g_pipe[0]);
    SetFlags(g_pipe[1]);
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignalNotifier::ReadSignals);
    SetHandler(WriteStopSignal);
}

StopSignalNotifier::~StopSignalNotifier()
{
    if (m_notifier == nullptr)
        return;
    SetHandler(SIG_DFL);
    delete m_notifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void StopSignalNotifier::ReadSignals()
{
    unsigned char number = 0;
    while (::read(g_pipe[0], &number, 1) == 1)
        emit stopSignal(number);
}

#else

StopSignalNotifier::StopSignalNotifier(QObject* parent)
    : QObject(parent)
{
}

StopSignalNotifier::~StopSignalNotifier() = default;

void StopSignalNotifier::ReadSignals()
{
}

#endif
