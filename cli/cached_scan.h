// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scan of a backup, or its catalogue from the cache of an earlier scan.

#include "backup_scan.h"
#include "cli_options.h"

// Hands on the catalogue of the cache when one matches the backup (unless
// --rescan or --no-cache), saying so on stderr; otherwise scans as
// ScanWithProgress does and, when the scan completes, leaves the catalogue
// in the cache for the next run (unless --no-cache). A cache folder that
// cannot be made or written only costs the cache (a warning under -v).
ScanOutcome ScanOrUseCache(const BkfFileHandle& file, CatalogueSink& catalogue, ScanReport& report,
                           TerminalProgress& progress, const CliOptions& options, FolderDateSink* folderDates = nullptr,
                           ScanProgress* ownLine = nullptr);
