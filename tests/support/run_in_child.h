// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A piece of a test run in a process of its own: for what may end the
// process (an abort, a signal) or must not touch the test's own (limits,
// another user).

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <thread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

// Runs `body` in a forked child and returns its exit status, or nothing
// when it had to be killed after `limit` (a hang) or died by a signal.
inline std::optional<int> RunInChild(const std::function<int()>& body,
                                     std::chrono::milliseconds limit = std::chrono::seconds(20))
{
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        int status = 1;
        try {
            status = body();
        } catch (...) {
            status = 99;
        }
        std::fflush(nullptr);
        ::_exit(status);
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (true) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child)
            break;
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!WIFEXITED(status))
        return std::nullopt;
    return WEXITSTATUS(status);
}
