// SPDX-License-Identifier: GPL-3.0-or-later
#include "human_units.h"

#include <algorithm>
#include <cstdio>

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

std::string HumanSeconds(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

double RateMeter::Seconds() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
}

RateMeter::Rate RateMeter::RateOf(std::uint64_t done, std::uint64_t total) const
{
    const double seconds = Seconds();
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
    const double left = rate > 0 ? static_cast<double>(total - std::min(total, done)) / rate : -1.0;
    return Rate{rate, left};
}

std::string RateMeter::RateAndTimeLeft(std::uint64_t done, std::uint64_t total) const
{
    const Rate rate = RateOf(done, total);
    return HumanBytes(static_cast<std::uint64_t>(rate.bytesPerSecond)) + "/s, " + HumanDuration(rate.secondsLeft)
           + " left";
}

std::string CountOf(std::uint64_t count, const std::string& singular, const std::string& plural)
{
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}
