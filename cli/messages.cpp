// SPDX-License-Identifier: GPL-3.0-or-later
#include "messages.h"

#include <cstdio>

void PrintMessage(const std::string& text)
{
    std::fprintf(stderr, "bkf-recover: %s\n", text.c_str());
}

