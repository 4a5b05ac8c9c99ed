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
// `catalogue` receives the rows. Returns false when interrupted.
bool ScanWithProgress(const BkfFileHandle& file, CatalogueSink& catalogue, bool verbose);

// Set by Ctrl-C; the scan and the extraction poll it.
std::atomic<bool>& CliRunningFlag();
void InstallInterruptHandler(class BkfScanner* extraction);

void PrintNoData();
