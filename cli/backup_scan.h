// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening and scanning a backup for the command-line tool: the same scan as
// the window's, with its progress on the terminal and its trace on stderr.

#include "bkf_file_handle.h"
#include "catalogue_scan.h"
#include "scan_report.h"
#include "terminal_progress.h"

#include <atomic>
#include <cstdint>
#include <string>

// Opens `path` read-only; prints "bkf-recover: PATH: reason" and returns
// false when it cannot, or when it is no file the scan can seek in.
bool OpenBackup(BkfFileHandle& file, const std::string& path);

// What a scan found, for the summary.
struct ScanOutcome {
    bool completed = false; // false when stopped by a signal
    std::uint64_t filesFound = 0;
    bool fromCache = false; // the rows came from the catalogue an earlier scan kept
    std::int64_t scannedAt = 0; // when the catalogue was made (seconds since 1970)
};

// Runs the scan with a progress line; `catalogue` receives the rows,
// `report` what was passed over, and `progress` is the line the rows may
// have to clear. Stops when `running` is cleared. `debug` writes the scan's
// trace to stderr, and the count of block tags taken as data. `ownLine`,
// when given, draws the progress instead of the scan's own line (and
// filesFound stays 0).
ScanOutcome ScanWithProgress(const BkfFileHandle& file, CatalogueSink& catalogue, ScanReport& report,
                             TerminalProgress& progress, const std::atomic<bool>& running, bool debug,
                             const ScanOptions& options = {}, FolderDateSink* folderDates = nullptr,
                             ScanProgress* ownLine = nullptr);

// Prints what the scan passed over or found damaged: one line, then one line
// per kind of loss with `details`; nothing for an intact backup. Then the
// hint to scan deep, if any.
void PrintScanReport(const ScanReport& report, bool details);

// True (after saying so) when not one byte of a non-empty backup could be
// read: a dead disk is an error, not an empty backup.
bool NothingReadable(const BkfFileHandle& file, const ScanReport& report);

// "bkf-recover: BACKUP: No data found in backup file".
void PrintNoData(const std::string& backup);
// The end of a scan that left no row: the scan report, and "No data found"
// (kExitNoData) unless file blocks whose checksum held were passed over
// (kExitIncomplete, with the report's details).
int EndOfEmptyScan(const std::string& backup, const ScanReport& report, bool details);
