// SPDX-License-Identifier: GPL-3.0-or-later
#include "messages.h"

#include <cstdio>

void PrintMessage(const std::string& text)
{
    std::fprintf(stderr, "bkf-recover: %s\n", text.c_str());
}

std::string CountOf(std::uint64_t count, const std::string& singular, const std::string& plural)
{
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}
