// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the window shows for a scan, word for word.

namespace SystemText {

constexpr const char* kOpenFailed =
    "Some Error occoured while opening file. Make sure that file is not shared";
constexpr const char* kNoData = "No data found in backup file";
constexpr const char* kSearching =
    "Veltra is Searching files.... . You can stop this searching process by pressing Stop button";
constexpr const char* kScanDone =
    "Please press Save Files button from toolbar or press Next button to save repaired file(s) ";

} // namespace SystemText
