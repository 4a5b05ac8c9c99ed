// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes to stdout that notice the first failure (a full disk, a closed
// pipe) and keep the system's reason for it.

#include <string_view>

// False once any write to stdout has failed.
bool WriteOut(std::string_view text);

// Flushes stdout. On a failure (now or earlier) prints
// "bkf-recover: write error: REASON" once and returns false.
bool FlushOut();

// Line-buffers stdout, so that whole lines reach a terminal at once.
void LineBufferOut();
// A large buffer for stdout, for a long list into a file or a pipe.
void BlockBufferOut();
