// SPDX-License-Identifier: GPL-3.0-or-later
// Brevant Veltra BKF: the recovery window.
//
//   brevant-veltra-bkf [BACKUP.bkf]

#include "brevant_veltra_file_scan_app.h"

int main(int argc, char** argv)
{
    CBrevantVeltraFileScanApp app(argc, argv);
    app.InitInstance();
    return app.exec();
}
