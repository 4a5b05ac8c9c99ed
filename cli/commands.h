#pragma once
// The two commands of bkf-recover; each returns the process exit status.

#include "cli_options.h"

enum ExitStatus {
    kExitOk = 0,
    kExitFailure = 1,
    kExitIncomplete = 2,
    kExitNoData = 3,
    kExitInterrupted = 130,
};

int RunList(const CliOptions& options);
int RunExtract(const CliOptions& options);
