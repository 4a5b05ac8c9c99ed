// SPDX-License-Identifier: GPL-3.0-or-later
#include "unreadable_backup.h"

#include "human_units.h"

std::optional<std::string> UnreadableBackupReason(const ScanReport& report, std::uint64_t scannedSize,
                                                  std::uint64_t currentSize)
{
    // Measured against the size the scan started with: a backup that shrank
    // while it was scanned was read up to its new end, however short.
    if (scannedSize == 0 || TotalLength(report.unreadable) < scannedSize)
        return std::nullopt;
    if (!report.readError.empty())
        return report.readError;
    // No read failed: the reads came back short at a new end of the file.
    return "it shrank to " + HumanBytes(currentSize) + " while it was scanned";
}
