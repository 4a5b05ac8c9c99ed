// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The messages of bkf-recover: one line each on stderr, starting with
// "bkf-recover: ".

#include "human_units.h"

#include <string>

void PrintMessage(const std::string& text);

