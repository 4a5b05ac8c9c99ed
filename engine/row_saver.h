// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saves catalogue rows one at a time below an output root, recording in the
// report every row that was not saved completely and every renamed file.

#include "extraction_report.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class BkfFileHandle;
class DataChecksum;
class ExtractionProgress;
class FileDates;
class OutputRoot;
struct CatalogueRow;
struct CopyOutcome;

constexpr std::size_t kCopySliceSize = 65536;

class RowSaver {
public:
    // All four must outlive this object.
    RowSaver(const BkfFileHandle& backup, OutputRoot& root, ExtractionProgress& progress, ExtractionReport& report);

    // Creates the row's file and copies its data (progress.BytesCopied per
    // slice). False when the row was skipped before a file existed.
    bool SaveRow(std::size_t row, const CatalogueRow& entry);
    // True once a file was abandoned on a request to stop at once.
    bool StoppedInsideAFile() const { return m_stopped; }
    // Saved files get their recorded dates through `dates` (which must outlive this object).
    void RestoreDates(FileDates& dates) { m_dates = &dates; }

private:
    void KeepAside(std::size_t row, const CatalogueRow& entry, const std::vector<std::string>& components,
                   const CopyOutcome& outcome);
    void RecordCopy(std::size_t row, const CatalogueRow& entry, std::uint64_t expected, CopyOutcome& outcome,
                    bool closed, const std::string& closeError);

    void CheckAndDate(std::size_t row, const CatalogueRow& entry, const std::vector<std::string>& components,
                      const std::vector<std::string>& savedAs, bool whole, const DataChecksum& checksum);

    const BkfFileHandle& m_backup;
    OutputRoot& m_root;
    ExtractionProgress& m_progress;
    ExtractionReport& m_report;
    const std::uint64_t m_backupSize;
    std::vector<std::uint8_t> m_buffer;
    bool m_stopped = false;
    FileDates* m_dates = nullptr;
};
