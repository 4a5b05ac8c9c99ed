// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal.h"

#include <cstdlib>
#include <cstring>

#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

bool StderrIsTerminal()
{
    return ::isatty(STDERR_FILENO) != 0;
}

bool StdoutSharesTerminalWithStderr()
{
    struct stat out {}, err {};
    return ::isatty(STDOUT_FILENO) && StderrIsTerminal() && ::fstat(STDOUT_FILENO, &out) == 0
           && ::fstat(STDERR_FILENO, &err) == 0 && out.st_rdev == err.st_rdev;
}

bool TerminalIsDumb()
{
    const char* term = std::getenv("TERM");
    return term && std::strcmp(term, "dumb") == 0;
}

int StderrColumns()
{
    winsize size {};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    if (const char* columns = std::getenv("COLUMNS")) {
        const int value = std::atoi(columns);
        if (value > 0)
            return value;
    }
    return 80;
}
