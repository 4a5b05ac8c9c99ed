// SPDX-License-Identifier: GPL-3.0-or-later
#include "standard_output.h"

#include "messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

int g_writeError = 0;
bool g_failed = false;
bool g_reported = false;

void NoteFailure()
{
    if (!g_failed)
        g_writeError = errno;
    g_failed = true;
}

} // namespace

bool WriteOut(std::string_view text)
{
    if (g_failed)
        return false;
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::ferror(stdout))
        NoteFailure();
    return !g_failed;
}

bool FlushOut()
{
    errno = 0;
    if (!g_failed && (std::fflush(stdout) != 0 || std::ferror(stdout)))
        NoteFailure();
    if (g_failed && !g_reported) {
        g_reported = true;
        PrintMessage(std::string("write error: ") + (g_writeError ? std::strerror(g_writeError) : "output failed"));
    }
    return !g_failed;
}

void LineBufferOut()
{
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
}

void BlockBufferOut()
{
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
}
