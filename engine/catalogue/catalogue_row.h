// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the scan finds for one file (a catalogue row), its state, and a
// folder's date: the types every part of the engine passes around.

#include "byte_range.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// The bytes of the backup that hold the row's data: from its offset, no
// further than the backup's end or the row's data limit.
ByteRange RowDataRange(const CatalogueRow& row, std::uint64_t backupSize);
