#pragma once
// Opening and scanning a backup for the command-line tool: the same scan as
// the window's, with its progress on the terminal and its trace on stderr.

#include "bkf_file_handle.h"
#include "catalogue_scan.h"

#include <atomic>
#include <string>

// Opens `path` read-only; prints "bkf-recover: PATH: reason" and returns false when it cannot.
bool OpenBackup(BkfFileHandle& file, const std::string& path);

// Runs the scan with a progress line on stderr (when it is a terminal);
// `catalogue` receives the rows, `report` what was passed over. Returns
// false when interrupted.
bool ScanWithProgress(const BkfFileHandle& file, CatalogueSink& catalogue, ScanReport& report, bool verbose);

// Prints the scan report on stderr: one summary line, the details with
// `verbose`; nothing when nothing was passed over.
void PrintScanReport(const ScanReport& report, bool verbose);

// True (after saying so on stderr) when not one byte of a non-empty backup
// could be read: a dead disk is an error, not an empty backup.
bool NothingReadable(const BkfFileHandle& file, const ScanReport& report);

// Cleared by Ctrl-C or SIGTERM; the scan and the extraction poll it.
std::atomic<bool>& CliRunningFlag();
void InstallInterruptHandler();

void PrintNoData();
