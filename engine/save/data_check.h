// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads the whole data of chosen catalogue rows and compares each with the
// checksum its backup recorded, without writing anything: a test of the
// backup, as `gzip -t` is of a compressed file. The rows are read in the
// order given (catalogue order is backup order), a long file's on two
// threads, so the backup is read once, at the disk's pace.

#include "byte_range.h"
#include "catalogue_store.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class BkfFileHandle;
class ExtractionProgress;

// A file whose data check did not end in "verified" or "no checksum".
struct CheckedFile {
    std::size_t row = 0;
    std::string path; // catalogue path
    RowStatus status = RowStatus::Damaged;
    std::uint64_t bytesPresent = 0;    // with CutShort: the bytes the backup holds
    std::uint64_t size = 0;            // the file's stated size
    std::vector<ByteRange> unreadable; // positions in the file that read as zeros
};

struct DataCheckReport {
    bool completed = false;      // every chosen row was read (false when stopped)
    std::size_t rowsChecked = 0; // rows whose state is known now
    std::size_t verified = 0;
    std::size_t noChecksum = 0;
    std::uint64_t bytesRead = 0;
    std::vector<CheckedFile> problems; // damaged, cut short, checksum lost, no data, in row order

    // Whether every checked file was verified or has no checksum.
    bool AllSound() const { return problems.empty(); }
};

// Hears each row whose whole data were compared with their checksum, on the
// checking thread, before the progress hears RowDone for it.
using DataChecked = std::function<void(std::size_t row, bool intact)>;

// Checks `rows` of `store` (each index below its row count; the store is
// only read). `progress` hears Begin, FileStarted, BytesCopied and RowDone
// as a save's would, and StopNow between slices; a cleared `running` stops
// the check between files. The backup must be the one scanned.
DataCheckReport CheckData(const BkfFileHandle& backup, const CatalogueStore& store,
                          const std::vector<std::size_t>& rows, ExtractionProgress& progress,
                          const std::atomic<bool>& running, const DataChecked& checked);

// Reads one row's whole data straight from the backup and compares them with
// their recorded checksum: nothing when they cannot be (no checksum, not
// all there).
std::optional<bool> RowDataIntact(const BkfFileHandle& backup, const CatalogueRow& row);

// "200 files (1.0 GiB) checked: 198 verified, 1 damaged, 1 without a checksum".
std::string DataCheckReportSummary(const DataCheckReport& report);

// "its data differ from the checksum the backup recorded", ... : what a
// problem found by a check means, for a report line after the file's path.
std::string DescribeCheckedFile(const CheckedFile& file);
