// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SIGINT, SIGTERM and SIGHUP. The first clears the run's flag: the scan
// stops at once, a save after the file being written. The second asks the
// save to stop at once.

#include <atomic>

void InstallStopSignals();

// The run's flag, which the scan and the extraction poll: set until the
// first signal.
const std::atomic<bool>& RunFlag();
// Stops the run as the first signal would (a failed write of the output).
void StopRun();

// Written to stderr at the first signal when stderr is a terminal (the
// text must live for the rest of the run). Nothing when null.
void SetStopNotice(const char* notice);

// The first signal received, 0 when none.
int StopSignal();
bool StopNowRequested();
// 128 + the first signal, as shells report a process ended by it.
int StoppedExitStatus();
