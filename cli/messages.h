// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The messages of bkf-recover: one line each on stderr, starting with
// "bkf-recover: ".

#include "human_units.h"

#include <string>
#include <string_view>

void PrintMessage(const std::string& text);

// `text` quoted for a shell, so that a user can paste it back: '...' with
// each "'" as '\'', or $'...' with escapes when it holds a control
// character, a line separator or a byte that is not UTF-8.
std::string ShellQuoted(std::string_view text);
