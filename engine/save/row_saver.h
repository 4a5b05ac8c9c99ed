// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saves catalogue rows one at a time below an output root, recording in the
// report every row that was not saved completely and every renamed file.

#include "byte_range.h"
#include "extraction_report.h"
#include "output_root.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class BkfFileHandle;
class CopySource;
class ExtractionProgress;
class FileDates;
class OutputFile;
struct CatalogueRow;
struct CopyOutcome;

class RowSaver {
public:
    // All four must outlive this object. `rangesAhead`: the data ranges of the
    // rows that will be saved, in order (RowDataRange), read ahead on a thread of
    // their own while the files are written; none when rows come one by one.
    RowSaver(const BkfFileHandle& backup, OutputRoot& root, ExtractionProgress& progress, ExtractionReport& report,
             const std::vector<ByteRange>& rangesAhead = {});
    ~RowSaver();
    RowSaver(const RowSaver&) = delete;
    RowSaver& operator=(const RowSaver&) = delete;

    // Creates the row's file and copies its data (progress.BytesCopied per
    // slice). False when the row was skipped before a file existed.
    bool SaveRow(std::size_t row, const CatalogueRow& entry);
    // True once a file was abandoned on a request to stop at once.
    bool StoppedInsideAFile() const { return m_stopped; }
    // True once a file could not be written whole because the disk is full.
    bool DiskFull() const { return m_diskFull; }
    // Saved files get their recorded dates through `dates` (which must outlive this object).
    void RestoreDates(FileDates& dates) { m_dates = &dates; }
    // The save continues an earlier one (its root from OutputRoot::OpenLatest):
    // a file already there whole is kept and counted, and the NAME.partial
    // copies beside a file go once it is whole (the report lists any kept).
    void ContinueEarlierSave() { m_continuing = true; }

private:
    bool CreateAndCopy(std::size_t row, std::size_t rangeIndex, const CatalogueRow& entry,
                       const std::vector<std::string>& components, std::vector<std::string>& savedAs,
                       OutputRoot::Resumed& resumed);
    void SettleLeftovers(std::size_t row, const CatalogueRow& entry, const std::vector<std::string>& savedAs,
                         const std::vector<std::string>& leftovers, bool whole);
    void CopyRow(std::size_t row, std::size_t rangeIndex, const CatalogueRow& entry,
                 const std::vector<std::string>& components, const std::vector<std::string>& savedAs,
                 OutputFile& file);
    void SetAside(SaveFailure& failure, const std::vector<std::string>& savedAs);
    void KeepAside(std::size_t row, const CatalogueRow& entry, const std::vector<std::string>& savedAs,
                   const CopyOutcome& outcome);
    void RecordWriteFailure(std::size_t row, const CatalogueRow& entry, const std::vector<std::string>& savedAs,
                            const CopyOutcome& outcome, const std::string& reason);
    void RecordCopy(std::size_t row, const CatalogueRow& entry, std::uint64_t available, CopyOutcome& outcome);
    void NoteCutShort(std::size_t row, const CatalogueRow& entry, std::uint64_t written);
    void NoteKept(std::size_t row, const CatalogueRow& entry);

    void Date(OutputFile& file, const CatalogueRow& entry, const std::vector<std::string>& components,
              const std::vector<std::string>& savedAs);

    const BkfFileHandle& m_backup;
    OutputRoot& m_root;
    ExtractionProgress& m_progress;
    ExtractionReport& m_report;
    const std::uint64_t m_backupSize;
    std::unique_ptr<CopySource> m_source;
    std::size_t m_rowsAsked = 0; // rows given to SaveRow: the index of a row's range ahead
    bool m_stopped = false;
    bool m_diskFull = false;
    FileDates* m_dates = nullptr;
    bool m_continuing = false;
};
