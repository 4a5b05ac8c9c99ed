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
#include <unordered_map>
#include <vector>

// A file's state: one value that every face shows. The scan leaves one of
// the first kinds; a read of the whole data (a data check, a save, a preview)
// turns "not checked" into "verified" or "damaged"; a save in the window adds
// its outcome. Values are stored in the catalogue cache: append, never reorder.
enum class RowStatus : std::uint8_t {
    NotChecked,   // a data checksum is recorded; nobody has compared the data with it yet
    NoChecksum,   // the backup recorded no checksum for the data
    ChecksumLost, // the data stream says a checksum follows, but none could be read
    Verified,     // the data match the recorded checksum
    Damaged,      // the data differ from the recorded checksum
    CutShort,     // the backup ends inside the data, or the next block begins there
    NoData,       // no data stream was found
    FolderLost,   // its folder's block was lost: it sits in a "lost dir"
    Saved,        // after a save: saved whole
    PartlySaved,  // after a save: saved in part (the detail says how much)
    NotSaved,     // after a save: not saved (the detail says why)
    FromCatalogue, // its block was lost; the set's catalogue named it and its data were found
    NotFound,      // the set's catalogue names it, but its data were not found: nothing to save
};

// "not checked", "verified", "partly saved", ...
const char* RowStatusText(RowStatus status);
// The place of a state when rows are sorted by it: the sound ones first.
int StatusSortRank(RowStatus status);
// Whether the row is a file with something to save, list or mount: all but
// the files the set's catalogue names and that were not found.
inline bool IsListedFile(RowStatus status)
{
    return status != RowStatus::NotFound;
}
// Whether the row needs no second look: its data are verified, not yet
// checked or carry no checksum, or it was saved whole.
bool IsOkStatus(RowStatus status);
// The state a read of the row's whole data leaves: a mismatch makes any row
// with data "damaged"; a match verifies a row that was "not checked".
RowStatus StatusAfterDataCheck(RowStatus status, bool intact);

// What the scan reports for one file.
struct CatalogueRow {
    std::string_view path;  // catalogue path, UTF-8, "\"-separated, starts "BKF\"
    bool located = false;   // a STAN header was found: size and offset are valid
    std::uint64_t size = 0;   // stream length in bytes
    std::uint64_t offset = 0; // backup file position of the first data byte
    bool verified = false;    // the FILE block's header checksum holds (not a check of the data)
    std::uint64_t modified = 0;             // the block's packed modification date, 0 unknown
    std::optional<std::uint32_t> checksum = std::nullopt; // the data checksum its CSUM stream records
    // The backup position where the data end at the latest: where the next
    // block begins when the stated data run past the end of the backup.
    std::uint64_t dataLimit = UINT64_MAX;
    RowStatus status = RowStatus::NoChecksum;
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
