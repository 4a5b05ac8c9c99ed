// SPDX-License-Identifier: GPL-3.0-or-later
// Brevant Veltra BKF: the recovery window.
//
//   brevant-veltra-bkf [BACKUP.bkf]
//   brevant-veltra-bkf --help | --version

#include "brevant_veltra_file_scan_app.h"
#include "command_line_backup.h"

#include <csignal>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    // Before the application object, which needs a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const auto answer = AnswerOptions(arguments)) {
        std::fputs(answer->out.toLocal8Bit().constData(), stdout);
        std::fputs(answer->err.toLocal8Bit().constData(), stderr);
        return std::fflush(stdout) == 0 ? answer->exitCode : 1;
    }
    // Past a file size limit ("ulimit -f") a write fails with EFBIG: that
    // file is reported and kept aside, and the save goes on.
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // The scan and the save catch their own failures; this is the last guard,
    // so that the program ends with a reason rather than an abort.
    try {
        CBrevantVeltraFileScanApp app(argc, argv);
        app.InitInstance();
        return app.exec();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "brevant-veltra-bkf: failed: %s\n", failure.what());
    }
    return 1;
}
