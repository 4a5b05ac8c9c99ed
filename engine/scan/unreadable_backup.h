// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A backup of which not one byte could be read is a read failure, not an
// empty backup: the end of its scan says why instead of "No data found".

#include "scan_report.h"

#include <cstdint>
#include <optional>
#include <string>

// Why no byte of a backup that had `scannedSize` bytes when its scan began
// could be read (the system's words, or that it shrank to `currentSize`
// while it was scanned), or nothing when some byte could be.
std::optional<std::string> UnreadableBackupReason(const ScanReport& report, std::uint64_t scannedSize,
                                                  std::uint64_t currentSize);
