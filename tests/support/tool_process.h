// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One run of a command-line program as a user runs it: its stdout, stderr
// (or a pseudo-terminal) and exit status. Start() returns at once; Finish()
// collects the output, killing the process after a bounded wait (a hang).

#include "temp_path.h"

#include <chrono>
#include <memory>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

struct ToolSetup {
    std::string stdoutFile;                // stdout into this file instead of a pipe
    bool terminalStderr = false;           // stderr is a pseudo-terminal
    bool terminalStdout = false;           // stdout is the same pseudo-terminal (output lands in `err`)
    unsigned short columns = 0;            // the terminal's width, when set
    // "NAME=value" set in the child. Each run has a catalogue cache folder
    // of its own (XDG_CACHE_HOME), empty, unless this names one.
    std::vector<std::string> environment;
    std::uint64_t fileSizeLimit = 0;       // when set, the child's as after "ulimit -f" (SIGXFSZ not ignored)
    bool noThreads = false;                // the child runs as "nobody" with no process to spare (needs root)
};

class Tool {
public:
    struct Result {
        int status = -1; // exit status, or -1 when ended by a signal
        int signal = 0;  // the signal that ended it
        bool timedOut = false;
        std::string out, err;
    };

    Tool(std::string program, std::vector<std::string> args, ToolSetup setup = {});
    ~Tool();
    Tool(const Tool&) = delete;
    Tool& operator=(const Tool&) = delete;

    // False (with a test failure) when the process could not be started.
    bool Start();
    pid_t Pid() const { return m_pid; }
    bool HasExited();
    // Reads output until `text` appears on stderr (or the terminal), the
    // process ends or `limit` passes; true when it appeared.
    bool WaitForErr(const std::string& text, std::chrono::milliseconds limit = std::chrono::seconds(30));
    Result Finish(std::chrono::seconds limit = std::chrono::seconds(60));

private:
    // Reads what is there, waiting at most `waitMs`; false once both streams ended.
    bool Pump(int waitMs);
    void OpenTerminal(int ends[2]);

    std::string m_program;
    std::vector<std::string> m_args;
    ToolSetup m_setup;
    pid_t m_pid = -1;
    int m_out = -1, m_err = -1;
    bool m_exited = false;
    int m_status = 0;
    std::string m_outText, m_errText;
    std::unique_ptr<TempDir> m_cacheHome;
};

// Bytes the process has read so far (Linux), or nothing.
std::optional<std::uint64_t> BytesRead(pid_t pid);

// "exit N" with both outputs, for failure messages.
std::string Describe(const Tool::Result& result);
// The lines of `text`; a last line without its newline is marked.
std::vector<std::string> Lines(const std::string& text);
