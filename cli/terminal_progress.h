#pragma once
// A one-line progress display on stderr, drawn only when stderr is a
// terminal and at most ten times a second.

#include <chrono>
#include <cstdint>
#include <string>

class TerminalProgress {
public:
    TerminalProgress();
    bool Enabled() const { return m_enabled; }

    // Redraws the line when enough time has passed (or `force`).
    void Show(const std::string& line, bool force = false);
    // Clears the line so that ordinary messages start on a clean line.
    void Clear();

private:
    bool m_enabled;
    bool m_shown = false;
    std::chrono::steady_clock::time_point m_last;
};

std::string HumanBytes(std::uint64_t bytes);
std::string HumanDuration(double seconds);
