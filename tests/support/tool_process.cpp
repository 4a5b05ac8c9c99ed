// SPDX-License-Identifier: GPL-3.0-or-later
#include "tool_process.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

Tool::Tool(std::string program, std::vector<std::string> args, ToolSetup setup)
    : m_program(std::move(program)), m_args(std::move(args)), m_setup(std::move(setup))
{
}

Tool::~Tool()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    for (int fd : {m_out, m_err}) {
        if (fd >= 0)
            ::close(fd);
    }
}

void Tool::OpenTerminal(int ends[2])
{
    ends[0] = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(ends[0], 0);
    ASSERT_EQ(::grantpt(ends[0]), 0);
    ASSERT_EQ(::unlockpt(ends[0]), 0);
    ends[1] = ::open(::ptsname(ends[0]), O_RDWR | O_NOCTTY);
    ASSERT_GE(ends[1], 0);
    if (m_setup.columns) {
        winsize size{};
        size.ws_row = 24;
        size.ws_col = m_setup.columns;
        ASSERT_EQ(::ioctl(ends[1], TIOCSWINSZ, &size), 0);
    }
}

bool Tool::Start()
{
    int out[2], err[2];
    EXPECT_EQ(::pipe(out), 0);
    if (m_setup.terminalStderr || m_setup.terminalStdout)
        OpenTerminal(err);
    else
        EXPECT_EQ(::pipe(err), 0);
    if (::testing::Test::HasFatalFailure())
        return false;
    std::vector<std::string> argv = {m_program};
    argv.insert(argv.end(), m_args.begin(), m_args.end());
    std::vector<char*> pointers;
    for (std::string& arg : argv)
        pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    if (!m_cacheHome)
        m_cacheHome = std::make_unique<TempDir>();
    std::vector<std::string> environment = {"XDG_CACHE_HOME=" + m_cacheHome->Path()};
    environment.insert(environment.end(), m_setup.environment.begin(), m_setup.environment.end());
    std::fflush(nullptr);
    m_pid = ::fork();
    if (m_pid == 0) {
        for (std::string& entry : environment)
            ::putenv(entry.data());
        if (m_setup.fileSizeLimit) {
            std::signal(SIGXFSZ, SIG_DFL);
            const rlimit limit{m_setup.fileSizeLimit, m_setup.fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (m_setup.noThreads) {
            const rlimit one{1, 1};
            if (::setgid(65534) != 0 || ::setuid(65534) != 0 || ::setrlimit(RLIMIT_NPROC, &one) != 0)
                ::_exit(126);
        }
        int target = m_setup.terminalStdout ? err[1] : out[1];
        if (!m_setup.stdoutFile.empty())
            target = ::open(m_setup.stdoutFile.c_str(), O_WRONLY);
        ::dup2(target, 1);
        ::dup2(err[1], 2);
        ::close(out[0]);
        ::close(err[0]);
        ::execv(pointers[0], pointers.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    m_out = out[0];
    m_err = err[0];
    EXPECT_GT(m_pid, 0);
    return m_pid > 0;
}

bool Tool::HasExited()
{
    int status = 0;
    if (m_exited || ::waitpid(m_pid, &status, WNOHANG) != m_pid)
        return m_exited;
    m_exited = true;
    m_status = status;
    return true;
}

bool Tool::Pump(int waitMs)
{
    if (m_out < 0 && m_err < 0)
        return false;
    pollfd fds[2] = {{m_out, POLLIN, 0}, {m_err, POLLIN, 0}};
    if (::poll(fds, 2, waitMs) < 0 && errno != EINTR)
        return false;
    for (int k = 0; k < 2; ++k) {
        int& fd = k == 0 ? m_out : m_err;
        if (fd < 0 || !(fds[k].revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        char buffer[65536];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            (k == 0 ? m_outText : m_errText).append(buffer, static_cast<std::size_t>(got));
        } else {
            // A terminal reports EIO once its last writer has gone.
            ::close(fd);
            fd = -1;
        }
    }
    return true;
}

bool Tool::WaitForErr(const std::string& text, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (m_errText.find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() > deadline || !Pump(50))
            return false;
    }
    return true;
}

Tool::Result Tool::Finish(std::chrono::seconds limit)
{
    Result result;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (Pump(100)) {
        if (std::chrono::steady_clock::now() > deadline) {
            result.timedOut = true;
            ::kill(m_pid, SIGKILL);
            break;
        }
    }
    if (!m_exited)
        ::waitpid(m_pid, &m_status, 0);
    m_pid = -1;
    if (WIFEXITED(m_status))
        result.status = WEXITSTATUS(m_status);
    else if (WIFSIGNALED(m_status))
        result.signal = WTERMSIG(m_status);
    result.out = std::move(m_outText);
    result.err = std::move(m_errText);
    return result;
}

std::optional<std::uint64_t> BytesRead(pid_t pid)
{
    std::ifstream io("/proc/" + std::to_string(pid) + "/io");
    std::string key;
    std::uint64_t value = 0;
    while (io >> key >> value) {
        if (key == "rchar:")
            return value;
    }
    return std::nullopt;
}

std::string Describe(const Tool::Result& r)
{
    return "exit " + std::to_string(r.status) + (r.signal ? " signal " + std::to_string(r.signal) : "")
           + "\nstdout:\n" + r.out + "stderr:\n" + r.err;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    for (std::size_t end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1)
        lines.push_back(text.substr(begin, end - begin));
    if (begin < text.size())
        lines.push_back(text.substr(begin) + "<no newline>");
    return lines;
}
