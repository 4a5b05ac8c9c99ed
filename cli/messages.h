// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The messages of bkf-recover: one line each on stderr, starting with
// "bkf-recover: ".

#include <cstdint>
#include <string>

void PrintMessage(const std::string& text);

// "1 file", "2 files".
std::string CountOf(std::uint64_t count, const std::string& singular, const std::string& plural);
