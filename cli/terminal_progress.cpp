#include "terminal_progress.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#define BKF_ISATTY _isatty
#define BKF_FILENO _fileno
#else
#include <unistd.h>
#define BKF_ISATTY isatty
#define BKF_FILENO fileno
#endif

TerminalProgress::TerminalProgress() : m_enabled(BKF_ISATTY(BKF_FILENO(stderr)) != 0) {}

void TerminalProgress::Show(const std::string& line, bool force)
{
    if (!m_enabled)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (!force && m_shown && now - m_last < std::chrono::milliseconds(100))
        return;
    m_last = now;
    m_shown = true;
    std::fprintf(stderr, "\r\033[K%s", line.c_str());
    std::fflush(stderr);
}

void TerminalProgress::Clear()
{
    if (m_enabled && m_shown) {
        std::fprintf(stderr, "\r\033[K");
        std::fflush(stderr);
    }
    m_shown = false;
}

std::string HumanBytes(std::uint64_t bytes)
{
    const char* units[] = {"B", "KiB", "MiB", "GiB", "TiB", "PiB"};
    double value = static_cast<double>(bytes);
    int unit = 0;
    while (value >= 1024.0 && unit < 5) {
        value /= 1024.0;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, unit == 0 ? "%.0f %s" : "%.1f %s", value, units[unit]);
    return text;
}

std::string HumanDuration(double seconds)
{
    if (seconds < 0 || seconds > 1e7)
        return "--:--";
    const long total = static_cast<long>(seconds + 0.5);
    char text[32];
    if (total >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, (total / 60) % 60, total % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
    return text;
}
