// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The catalogue: one row per found file, in the order the scan found them.
// This is the only store of found files. Paths live in a chunked arena so a
// million rows cost well under 200 bytes each and appending never moves them.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the scan could tell about a file: its data are there and its block's
// checksum holds (ok), its block's checksum fails (unverified), no data
// stream was found (no data), the backup ends inside its data or the next
// block begins there (cut short), its folder's block was lost (folder lost),
// its data stream says a checksum follows and none does (checksum lost);
// After a save in the window, a chosen file was saved whole (saved), its
// data differ from the checksum recorded (damaged), or it was not saved
// completely (not saved). Saved and not saved live only in the window's
// store: a catalogue cache keeps the scan's statuses.
enum class RowStatus : std::uint8_t {
    Ok, Unverified, NoData, CutShort, FolderLost, Damaged, Saved, NotSaved, ChecksumLost
};

// "ok", "unverified", "no data", "cut short", "folder lost", "damaged",
// "saved", "not saved" or "checksum lost".
const char* RowStatusText(RowStatus status);
// Whether the row needs no second look: ok, or saved whole.
inline bool IsOkStatus(RowStatus status) { return status == RowStatus::Ok || status == RowStatus::Saved; }

// What the scan reports for one file.
struct CatalogueRow {
    std::string_view path;  // catalogue path, UTF-8, "\"-separated, starts "BKF\"
    bool located = false;   // a STAN header was found: size and offset are valid
    std::uint64_t size = 0;   // stream length in bytes
    std::uint64_t offset = 0; // backup file position of the first data byte
    bool verified = false;    // the FILE block's header checksum holds
    std::uint64_t modified = 0;             // the block's packed modification date, 0 unknown
    std::optional<std::uint32_t> checksum = std::nullopt; // the data checksum its CSUM stream records
    // The backup position where the data end at the latest: where the next
    // block begins when the stated data run past the end of the backup.
    std::uint64_t dataLimit = UINT64_MAX;
    RowStatus status = RowStatus::Ok;
};

// A folder's packed modification date, from its DIRB block.
struct FolderDate {
    std::string path; // "BKF\set\dir"
    std::uint64_t modified = 0;
};

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
    CatalogueRow Row(std::size_t row) const;
    std::string_view Path(std::size_t row) const;

    // Marks a row after a save found its data damaged, for example.
    void SetStatus(std::size_t row, RowStatus status) { m_rows[row].status = status; }

    // Ticks keep running totals (rows and bytes ticked), so the window can
    // show them after every change without a walk over all rows.
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
        RowStatus status;
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
    std::vector<std::unique_ptr<char[]>> m_chunks;
    std::size_t m_chunkUsed = 0;
    std::vector<FolderDate> m_folderDates;
};
