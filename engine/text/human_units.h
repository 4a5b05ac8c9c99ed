// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sizes, rates and durations as people read them (the terminal progress
// and the save window alike).

#include <chrono>
#include <cstdint>
#include <string>

// "512 B", "63.5 MiB".
std::string HumanBytes(std::uint64_t bytes);
// "0:42", "1:02:03"; "--:--" when unknown (negative).
std::string HumanDuration(double seconds);
// "2.1 s".
std::string HumanSeconds(double seconds);
// "1 file", "2 files".
std::string CountOf(std::uint64_t count, const std::string& singular, const std::string& plural);

// Time since it was made; the rate of work done and the time left.
class RateMeter {
public:
    RateMeter() : m_start(std::chrono::steady_clock::now()) {}
    double Seconds() const;
    // Bytes a second so far and the seconds left (negative when unknown)
    // for `done` of `total` bytes.
    struct Rate {
        double bytesPerSecond = 0;
        double secondsLeft = -1;
    };
    Rate RateOf(std::uint64_t done, std::uint64_t total) const;
    // "12.0 MiB/s, 0:05 left" for `done` of `total` bytes.
    std::string RateAndTimeLeft(std::uint64_t done, std::uint64_t total) const;

private:
    std::chrono::steady_clock::time_point m_start;
};
