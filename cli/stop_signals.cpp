// SPDX-License-Identifier: GPL-3.0-or-later
#include "stop_signals.h"

#include <csignal>
#include <initializer_list>
#include <cstring>

#include <unistd.h>

namespace {

// Only lock-free atomics and write(2) are touched in the handler.
std::atomic<bool> g_running{true};
std::atomic<const char*> g_notice{nullptr};
std::atomic<int> g_signal{0};
std::atomic<bool> g_stopNow{false};
bool g_stderrIsTerminal = false;

extern "C" void OnStopSignal(int signal)
{
    int none = 0;
    if (!g_signal.compare_exchange_strong(none, signal)) {
        g_stopNow.store(true);
        return;
    }
    g_running.store(false);
    const char* notice = g_notice.load();
    if (notice && g_stderrIsTerminal) {
        const ssize_t ignored = ::write(STDERR_FILENO, notice, std::strlen(notice));
        (void)ignored;
    }
}

} // namespace

void InstallStopSignals()
{
    g_stderrIsTerminal = ::isatty(STDERR_FILENO) != 0;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

const std::atomic<bool>& RunFlag()
{
    return g_running;
}

void StopRun()
{
    g_running.store(false);
}

void SetStopNotice(const char* notice)
{
    g_notice.store(notice);
}

int StopSignal()
{
    return g_signal.load();
}

bool StopNowRequested()
{
    return g_stopNow.load();
}

int StoppedExitStatus()
{
    return 128 + StopSignal();
}
