// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the window shows, word for word: those of the scan, the save
// and the settings, then the window's own words for the save's report.

namespace SystemText {

constexpr const char* kOpenFailed =
    "Some Error occoured while opening file. Make sure that file is not shared";
constexpr const char* kNoData = "No data found in backup file";
constexpr const char* kReadFailed = "The backup could not be read: %1";
constexpr const char* kNoBlocksHint =
    "No block was found on the 512-byte grid. A deep scan (the \"Deep scan\" box) also looks for blocks off the grid.";
constexpr const char* kSearching =
    "Veltra is Searching files.... . You can stop this searching process by pressing Stop button";
constexpr const char* kScanDone =
    "Please press Save Files button from toolbar or press Next button to save repaired file(s) ";


// The save.
constexpr const char* kStopFirst = "Please stop search process , then save files";
constexpr const char* kNothingTicked = "Please select file(s) to save ";
constexpr const char* kSaveFolderTitle = "Please select the Directory to Save the repaired files";
constexpr const char* kSaveTitle = "Brevant Veltra BKF -  Saving files...";
constexpr const char* kSaveLabel = "Filename";
constexpr const char* kStopQuestion = "Do you want to stop repairing process?"; // a scan's too

// The settings.
constexpr const char* kSettingsTitle = "Settings";
constexpr const char* kPrefixLabel = "File Name Prefix";
constexpr const char* kDefaultPrefix = "Recovered BKF";
constexpr const char* kFillPrefix = "Please fill prefix";
constexpr const char* kIllegalPrefix = "Illegal character found in file pre fix ";
constexpr const char* kRestoreDates = "Restore file dates";

// The file page.
constexpr const char* kDeepScanTip =
    "Also look for blocks off the 512-byte grid: finds the files after bytes lost or inserted in the backup";

// The save's report. %1.. are filled in with QString::arg.
constexpr const char* kSaveBytes = "%1 of %2 saved";                  // bytes
constexpr const char* kSaved = "%1 of %2 files, %3 saved into %4";   // saved, chosen, bytes, root
constexpr const char* kSaveStopped = "Save stopped: %1";              // kSaved
constexpr const char* kNotComplete = "%1 could not be saved completely";
constexpr const char* kRenamed = "%1 saved under another name";
constexpr const char* kScanPassedOver = "the scan passed over files that are not in the list";
constexpr const char* kDamaged = "%1 damaged";
constexpr const char* kNoRoot = "No file could be saved: no output folder could be created in %1 (%2)";
constexpr const char* kOpenOutputFolder = "Open the output folder?";

// A run ended by a failure outside any one block or file. %1: the system's words.
constexpr const char* kScanFailed = "The scan failed: %1";
constexpr const char* kSaveFailed = "The save failed: %1";

} // namespace SystemText
