// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What stderr and stdout are connected to, asked afresh at each call.

bool StderrIsTerminal();
// True when stdout and stderr are the same terminal, where a progress line
// and rows would share the screen.
bool StdoutSharesTerminalWithStderr();
// TERM=dumb: a terminal that understands no control sequences.
bool TerminalIsDumb();
// Columns of the terminal on stderr (it follows a resize); 80 when unknown.
int StderrColumns();
