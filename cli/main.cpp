// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-recover: lists and saves the files of a damaged BKF backup, headless.

#include "cli_options.h"
#include "commands.h"

int main(int argc, char** argv)
{
    const auto parsed = ParseCommandLine(argc, argv);
    if (const int* status = std::get_if<int>(&parsed))
        return *status;
    const CliOptions& options = std::get<CliOptions>(parsed);
    return options.command == CliOptions::Command::List ? RunList(options) : RunExtract(options);
}
