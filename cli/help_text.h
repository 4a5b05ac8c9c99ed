// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of --help (each line within 80 columns) and --version.

extern const char kMainHelp[];
extern const char kListHelp[];
extern const char kExtractHelp[];
extern const char kMountHelp[];
extern const char kVerifyHelp[];
extern const char kVersionText[];
