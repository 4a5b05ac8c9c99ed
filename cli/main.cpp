// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-recover: lists and saves the files of a damaged BKF backup, headless.

#include "cli_options.h"
#include "commands.h"

#include <csignal>

int main(int argc, char** argv)
{
    // Past a file size limit ("ulimit -f") a write fails with EFBIG: that
    // file is reported and kept aside, and the save goes on.
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    const auto parsed = ParseCommandLine(argc, argv);
    if (const int* status = std::get_if<int>(&parsed))
        return *status;
    const CliOptions& options = std::get<CliOptions>(parsed);
    switch (options.command) {
    case CliOptions::Command::List:
        return RunList(options);
    case CliOptions::Command::Extract:
        return RunExtract(options);
    case CliOptions::Command::Mount:
        return RunMount(options);
    }
    return kExitFailure;
}
