// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the window shows, word for word: those of the scan, the save
// and the settings, then the window's own words for the save's report.
// Marked for translation: shown through Texts::Tr (texts.h).

#include "texts.h"

namespace SystemText {

constexpr const char* kOpenFailed = QT_TRANSLATE_NOOP("Texts",
    "Some Error occoured while opening file. Make sure that file is not shared");
constexpr const char* kNoData = QT_TRANSLATE_NOOP("Texts", "No data found in backup file");
constexpr const char* kReadFailed = QT_TRANSLATE_NOOP("Texts", "The backup could not be read: %1");
constexpr const char* kNoBlocksHint = QT_TRANSLATE_NOOP("Texts",
    "No block was found on the 512-byte grid. A deep scan (the \"Deep scan\" box) also looks for blocks off the grid.");
constexpr const char* kSearching = QT_TRANSLATE_NOOP("Texts",
    "Veltra is Searching files.... . You can stop this searching process by pressing Stop button");
constexpr const char* kScanDone = QT_TRANSLATE_NOOP("Texts",
    "Please press Save Files button from toolbar or press Next button to save repaired file(s) ");


// The save.
constexpr const char* kStopFirst = QT_TRANSLATE_NOOP("Texts", "Please stop search process , then save files");
constexpr const char* kNothingTicked = QT_TRANSLATE_NOOP("Texts", "Please select file(s) to save ");
constexpr const char* kSaveFolderTitle = QT_TRANSLATE_NOOP("Texts",
    "Please select the Directory to Save the repaired files");
constexpr const char* kSaveTitle = QT_TRANSLATE_NOOP("Texts", "Brevant Veltra BKF -  Saving files...");
constexpr const char* kSaveLabel = QT_TRANSLATE_NOOP("Texts", "Filename");
// A scan's too.
constexpr const char* kStopQuestion = QT_TRANSLATE_NOOP("Texts", "Do you want to stop repairing process?");
// Before a new scan of the backup under review drops what was done there.
constexpr const char* kRescanQuestion = QT_TRANSLATE_NOOP("Texts",
    "A new scan of this backup clears your ticks and the files' states. Scan it again?");

// The data check.
constexpr const char* kCheckTitle = QT_TRANSLATE_NOOP("Texts", "Brevant Veltra BKF - Checking data...");
constexpr const char* kCheckBytes = QT_TRANSLATE_NOOP("Texts", "%1 of %2 read"); // bytes
constexpr const char* kNothingToCheck = QT_TRANSLATE_NOOP("Texts", "The backup has no file with data to check");
constexpr const char* kCheckStopped = QT_TRANSLATE_NOOP("Texts", "Data check stopped: %1"); // the summary
constexpr const char* kCheckDone = QT_TRANSLATE_NOOP("Texts", "Data check: %1"); // the summary

// The settings.
constexpr const char* kSettingsTitle = QT_TRANSLATE_NOOP("Texts", "Settings");
constexpr const char* kPrefixLabel = QT_TRANSLATE_NOOP("Texts", "File Name Prefix");
constexpr const char* kDefaultPrefix = "Recovered BKF";
constexpr const char* kFillPrefix = QT_TRANSLATE_NOOP("Texts", "Please fill prefix");
constexpr const char* kIllegalPrefix = QT_TRANSLATE_NOOP("Texts", "Illegal character found in file pre fix ");
constexpr const char* kRestoreDates = QT_TRANSLATE_NOOP("Texts", "Restore file dates");

// The file page.
constexpr const char* kDeepScanTip = QT_TRANSLATE_NOOP("Texts",
    "Also look for blocks off the 512-byte grid: finds the files after bytes lost or inserted in the backup");

// The save's report. %1.. are filled in with QString::arg.
constexpr const char* kSaveBytes = QT_TRANSLATE_NOOP("Texts", "%1 of %2 saved"); // bytes
// Saved, chosen, bytes, root.
constexpr const char* kSaved = QT_TRANSLATE_NOOP("Texts", "%1 of %2 files, %3 saved into %4");
// A save that continued an earlier one: saved, already there, chosen, bytes, root.
constexpr const char* kSavedContinued =
    QT_TRANSLATE_NOOP("Texts", "%1 saved and %2 already there of %3 files, %4 written into %5");
constexpr const char* kSaveStopped = QT_TRANSLATE_NOOP("Texts", "Save stopped: %1"); // kSaved
constexpr const char* kNotComplete = QT_TRANSLATE_NOOP("Texts", "%1 could not be saved completely");
constexpr const char* kRenamed = QT_TRANSLATE_NOOP("Texts", "%1 saved under another name");
constexpr const char* kScanPassedOver = QT_TRANSLATE_NOOP("Texts",
    "the scan passed over files that are not in the list");
constexpr const char* kDamaged = QT_TRANSLATE_NOOP("Texts", "%1 damaged");
constexpr const char* kChecksumLost = QT_TRANSLATE_NOOP("Texts", "%1 with a lost checksum");
constexpr const char* kNoRoot = QT_TRANSLATE_NOOP("Texts",
    "No file could be saved: no output folder could be created in %1 (%2)");
// The output folder of an earlier save of the backup, and the files in it.
constexpr const char* kContinueSave =
    QT_TRANSLATE_NOOP("Texts", "Continue the save into %1 (%2 files already there)?");
constexpr const char* kOpenOutputFolder = QT_TRANSLATE_NOOP("Texts", "Open the output folder?");

// A run ended by a failure outside any one block or file. %1: the system's words.
constexpr const char* kScanFailed = QT_TRANSLATE_NOOP("Texts", "The scan failed: %1");
constexpr const char* kSaveFailed = QT_TRANSLATE_NOOP("Texts", "The save failed: %1");

} // namespace SystemText
