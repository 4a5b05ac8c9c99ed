// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The product's name, version and addresses, in one place.

#include "build_info.h"

namespace ProductInfo {

constexpr const char* kApplicationName = "Brevant Veltra BKF";
// The reverse-DNS name of the desktop entry and of the installed icon.
constexpr const char* kDesktopId = BKF_DESKTOP_ID;
// The organisation under which QSettings keeps the profile and the menu look.
constexpr const char* kSettingsOrganisation = "Local AppWizard-Generated Applications";
constexpr const char* kHomePage = BKF_HOME_PAGE;
constexpr const char* kMakerLine = "Brevant Veltra Software Works";
constexpr const char* kSalesAddress = "sales@brevant-veltra.example";
constexpr const char* kSupportAddress = "support@brevant-veltra.example";

// Looked up in the working directory the process started in.
constexpr const char* kHelpFileName = "Brevant Veltra for BKF.chm";
constexpr const char* kLiveUpdateFileName = "Veltra Live Update.exe";
constexpr const char* kLiveUpdateParameter = "<QVBKF>";

} // namespace ProductInfo
