// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The catalogue scan: reads a backup front to back in windows of up to 64
// KiB, looks for SSET, DIRB and FILE blocks at every 512-byte boundary and
// reports the catalogue it rebuilds through the sinks.

#include "scan_options.h"
#include "scan_report.h"
#include "scan_sinks.h"

#include <atomic>
#include <cstdint>
#include <string>

class BkfFileHandle;

constexpr std::size_t kScanWindowSize = 65536;

// True when the whole file was examined, false when `running` was found
// cleared (checked before every window and every slot). Never closes the
// file. `report` receives what was passed over (it is added to, not reset).
// `options` choose the deep scan; the default is the 512-byte grid alone.
bool ScanCatalogue(const BkfFileHandle& file, const std::atomic<bool>& running, const ScanSinks& sinks,
                   ScanReport& report, const ScanOptions& options = {});
// The same, for callers that do not need the report.
bool ScanCatalogue(const BkfFileHandle& file, const std::atomic<bool>& running, const ScanSinks& sinks);

// How far through the backup a position is, in whole percent.
int ProgressPercent(std::uint64_t position, std::uint64_t fileSize);
