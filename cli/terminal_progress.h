// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one-line progress display on stderr: redrawn at most ten times a
// second, cut to the terminal's width, with control sequences only where
// the terminal understands them.

#include "cli_options.h"

#include <chrono>
#include <cstddef>
#include <string>

class TerminalProgress {
public:
    enum class Style {
        Off,
        Plain, // carriage return and spaces only (TERM=dumb, or not a terminal with --progress)
        Ansi,  // carriage return and "erase to end of line"
    };

    explicit TerminalProgress(Style style) : m_style(style) {}
    bool Enabled() const { return m_style != Style::Off; }

    // Redraws the line when enough time has passed (or `force`).
    void Show(std::string line, bool force = false);
    // Clears the line so that ordinary output starts on a clean line.
    void Clear();

private:
    Style m_style;
    bool m_shown = false;
    std::size_t m_width = 0; // characters of the line on screen
    std::chrono::steady_clock::time_point m_last;
};

// The style for these options and this stderr.
TerminalProgress::Style ChooseProgressStyle(const CliOptions& options);
