// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-recover: lists and saves the files of a damaged BKF backup, headless.

#include "cli_options.h"
#include "commands.h"
#include "messages.h"

#include <csignal>
#include <exception>
#include <new>

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
    // A failure outside any one block or file (a thread or a buffer that
    // cannot be made) ends the run as a failure, with the reason.
    try {
        switch (options.command) {
        case CliOptions::Command::List:
            return RunList(options);
        case CliOptions::Command::Extract:
            return RunExtract(options);
        case CliOptions::Command::Verify:
            return RunVerify(options);
        case CliOptions::Command::Mount:
            return RunMount(options);
        }
    } catch (const std::bad_alloc&) {
        PrintMessage("failed: out of memory");
    } catch (const std::exception& failure) {
        PrintMessage(std::string("failed: ") + failure.what());
    }
    return kExitFailure;
}
