// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The room engine/catalogue/: what a scan finds. A row and its state
// (catalogue_row), the store of rows (catalogue_store), the sinks a scan
// reports to (scan_sinks, catalogue_collector), the end-of-scan report
// (scan_report), and the kept catalogue cache (catalogue_cache, cache_codec,
// scan_report_coding, cache_folder).
//
// The catalogue: one row per found file, in the order the scan found them.
// This is the only store of found files. Paths live in a chunked arena so a
// million rows cost well under 200 bytes each and appending never moves them.

#include "catalogue_row.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CatalogueStore {
public:
    CatalogueStore();
    ~CatalogueStore();
    CatalogueStore(const CatalogueStore&) = delete;
    CatalogueStore& operator=(const CatalogueStore&) = delete;

    // Appends an unticked row and returns its index.
    std::size_t Append(const CatalogueRow& row);
    void Clear();

    std::size_t RowCount() const { return m_rows.size(); }
    // Rows that are files to save: all but those a set's catalogue names and that were not found.
    std::size_t ListedFileCount() const { return m_rows.size() - m_unlisted; }
    CatalogueRow Row(std::size_t row) const;
    std::string_view Path(std::size_t row) const;

    // A row's state as every face shows it (Row(row).status), and with its
    // detail: "partly saved (15.1 KiB of 64.0 KiB)", "cut short (...)".
    RowStatus Status(std::size_t row) const;
    std::string StatusDetail(std::size_t row) const; // "" when the state has none
    std::string StatusText(std::size_t row) const;
    // What the scan and the data checks found, without a save's outcome: the
    // state a catalogue cache keeps.
    RowStatus DataStatus(std::size_t row) const { return m_rows[row].status; }
    // Records a read of the row's whole data (StatusAfterDataCheck).
    void NoteDataCheck(std::size_t row, bool intact);
    // Records what a save did with the row: Saved, PartlySaved or NotSaved,
    // with a detail ("15.1 KiB of 64.0 KiB", a reason). A damaged row or one
    // whose checksum was lost keeps that state when it was saved whole.
    void SetSaveOutcome(std::size_t row, RowStatus outcome, std::string detail = {});

    // Ticks keep running totals (rows and bytes ticked), so the window can
    // show them after every change without a walk over all rows. A file
    // that was not found is never ticked.
    bool IsTicked(std::size_t row) const { return m_ticks[row] != 0; }
    void SetTicked(std::size_t row, bool ticked);
    void SetAllTicked(bool ticked);
    std::size_t TickedCount() const { return m_tickedCount; }
    // Sizes of the located rows: of the ticked ones, of all.
    std::uint64_t TickedBytes() const { return m_tickedBytes; }
    std::uint64_t TotalBytes() const { return m_totalBytes; }

    // Folder dates, in the order the scan found them; unknown dates are not kept.
    void AddFolderDate(std::string_view folderPath, std::uint64_t modified);
    const std::vector<FolderDate>& FolderDates() const { return m_folderDates; }

    // Bytes held for the rows, their paths and ticks (for the benchmarks).
    std::size_t MemoryBytes() const;

private:
    struct Record {
        std::uint64_t pathStart;  // chunk index << kChunkBits | offset in chunk
        std::uint64_t size;
        std::uint64_t offset;
        std::uint64_t modified;
        std::uint64_t dataLimit;
        std::uint32_t checksum;
        RowStatus status;  // the data state
        RowStatus outcome; // a save's, or the data state when there was none
        std::uint16_t pathLength;
        bool located;
        bool verified;
        bool hasChecksum;
    };
    static constexpr unsigned kChunkBits = 20; // 1 MiB path chunks

    const char* PathData(const Record& record) const;
    static std::uint64_t BytesOf(const Record& record) { return record.located ? record.size : 0; }

    std::vector<Record> m_rows;
    std::vector<std::uint8_t> m_ticks;
    std::size_t m_tickedCount = 0;
    std::uint64_t m_tickedBytes = 0;
    std::uint64_t m_totalBytes = 0;
    std::size_t m_unlisted = 0; // rows that are no file to save (never ticked)
    std::vector<std::unique_ptr<char[]>> m_chunks;
    std::size_t m_chunkUsed = 0;
    std::vector<FolderDate> m_folderDates;
    std::unordered_map<std::size_t, std::string> m_details; // of save outcomes, by row
};
