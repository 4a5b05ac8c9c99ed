// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal_progress.h"

#include "terminal.h"

#include <cstdio>

void TerminalProgress::Show(std::string line, bool force)
{
    if (!Enabled())
        return;
    const auto now = std::chrono::steady_clock::now();
    if (!force && m_shown && now - m_last < std::chrono::milliseconds(100))
        return;
    m_last = now;
    // One column short of the width: a full line would wrap on some terminals.
    const std::size_t columns = static_cast<std::size_t>(StderrColumns() - 1);
    if (line.size() > columns)
        line.resize(columns);
    std::string text = "\r" + line;
    if (m_style == Style::Ansi)
        text += "\033[K";
    else if (m_width > line.size())
        text.append(m_width - line.size(), ' ');
    m_width = line.size();
    m_shown = true;
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

void TerminalProgress::Clear()
{
    if (!m_shown)
        return;
    if (m_style == Style::Ansi)
        std::fputs("\r\033[K", stderr);
    else
        std::fprintf(stderr, "\r%*s\r", static_cast<int>(m_width), "");
    std::fflush(stderr);
    m_shown = false;
    m_width = 0;
}

TerminalProgress::Style ChooseProgressStyle(const CliOptions& options)
{
    if (options.quiet || options.progress == CliOptions::Progress::Never)
        return TerminalProgress::Style::Off;
    const bool terminal = StderrIsTerminal();
    if (options.progress == CliOptions::Progress::Auto && !terminal)
        return TerminalProgress::Style::Off;
    return terminal && !TerminalIsDumb() ? TerminalProgress::Style::Ansi : TerminalProgress::Style::Plain;
}
