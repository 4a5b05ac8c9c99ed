// bkf-recover: lists and saves the files of a damaged BKF backup, headless.

#include "cli_options.h"
#include "commands.h"

#include <cstdio>

#ifndef BKF_VERSION
#define BKF_VERSION "0"
#endif

int main(int argc, char** argv)
{
    std::string error;
    const auto options = ParseCommandLine(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "bkf-recover: %s\n\n%s", error.c_str(), kUsageText);
        return kExitFailure;
    }
    switch (options->command) {
    case CliOptions::Command::Help:
        std::fputs(kUsageText, stdout);
        return kExitOk;
    case CliOptions::Command::Version:
        std::printf("bkf-recover %s\n", BKF_VERSION);
        return kExitOk;
    case CliOptions::Command::List:
        return RunList(*options);
    case CliOptions::Command::Extract:
        return RunExtract(*options);
    }
    return kExitFailure;
}
