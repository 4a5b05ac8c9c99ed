// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two commands of bkf-recover; each returns the process exit status.

#include "cli_options.h"

enum ExitStatus {
    kExitOk = 0,
    kExitFailure = 1,
    kExitIncomplete = 2, // some file not saved completely, or an --include matched nothing
    kExitNoData = 3,
    // A stop by signal N exits with 128 + N (StoppedExitStatus).
};

int RunList(const CliOptions& options);
int RunExtract(const CliOptions& options);
int RunVerify(const CliOptions& options);
// Needs libfuse; without it the command says that it is not built in.
int RunMount(const CliOptions& options);
