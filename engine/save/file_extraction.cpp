// SPDX-License-Identifier: GPL-3.0-or-later
// Copies the ticked rows' byte ranges out of the backup into a new output
// root, or into the latest one when the save continues an earlier one.

#include "file_extraction.h"

#include "bkf_file_handle.h"
#include "catalogue_store.h"
#include "continued_save.h"
#include "extraction_progress.h"
#include "file_dates.h"
#include "output_root.h"
#include "row_saver.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

// The sum of the chosen sizes; hostile stream lengths saturate instead of wrapping.
std::uint64_t BytesChosen(const CatalogueStore& rows)
{
    std::uint64_t total = 0;
    for (std::size_t row = 0; row < rows.RowCount(); ++row) {
        if (!rows.IsTicked(row))
            continue;
        const std::uint64_t size = rows.Row(row).size;
        total = size > std::numeric_limits<std::uint64_t>::max() - total ? std::numeric_limits<std::uint64_t>::max()
                                                                          : total + size;
    }
    return total;
}

// The data ranges of the ticked rows, in the order they are saved.
std::vector<ByteRange> RangesToCopy(const CatalogueStore& rows, std::uint64_t backupSize)
{
    std::vector<ByteRange> ranges;
    for (std::size_t row = 0; row < rows.RowCount(); ++row) {
        if (rows.IsTicked(row))
            ranges.push_back(RowDataRange(rows.Row(row), backupSize));
    }
    return ranges;
}

// The ticked rows from `first` on.
std::size_t TickedFrom(const CatalogueStore& rows, std::size_t first)
{
    std::size_t ticked = 0;
    for (std::size_t row = first; row < rows.RowCount(); ++row)
        ticked += rows.IsTicked(row) ? 1 : 0;
    return ticked;
}

// Saves the ticked rows in order until the end, a stop or a full disk.
void SaveTickedRows(const CatalogueStore& rows, const std::atomic<bool>& running, RowSaver& extraction,
                    ExtractionProgress& progress, ExtractionReport& report)
{
    report.completed = true;
    for (std::size_t row = 0; row < rows.RowCount(); ++row) {
        report.rowsReached = row;
        if (!running.load() || extraction.StoppedInsideAFile()) {
            report.completed = false; // rows before this one are complete
            return;
        }
        if (extraction.DiskFull()) {
            // Each further file would fail the same way: one line says so for all.
            report.notSavedDiskFull = TickedFrom(rows, row);
            return;
        }
        if (!rows.IsTicked(row)) {
            progress.RowDone(row);
            continue;
        }
        progress.FileStarted(row, rows.Path(row));
        if (extraction.SaveRow(row, rows.Row(row)))
            progress.RowDone(row);
    }
    report.rowsReached = rows.RowCount();
}

} // namespace

ExtractionReport ExtractCheckedFiles(const BkfFileHandle& backup, const CatalogueStore& rows,
                                     const std::string& destination, const std::string& prefix,
                                     const std::atomic<bool>& running, ExtractionProgress& progress,
                                     const ExtractionOptions& options)
{
    ExtractionReport report;
    report.nameUnchecked = options.nameUnchecked;
    progress.Begin(rows.RowCount(), BytesChosen(rows));

    auto root = OpenSaveRoot(destination, prefix, options, report);
    if (!root)
        return report;

    // A continued save reads only the files it writes: no read-ahead over
    // the ranges of the files kept.
    RowSaver extraction(backup, *root, progress, report,
                        report.continued ? std::vector<ByteRange>() : RangesToCopy(rows, backup.Size().value_or(0)));
    if (report.continued)
        extraction.ContinueEarlierSave();
    FileDates dates(*root);
    if (options.restoreTimes)
        extraction.RestoreDates(dates);
    SaveTickedRows(rows, running, extraction, progress, report);
    if (options.restoreTimes)
        dates.SetFolderDates(rows.FolderDates(), report);
    return report;
}
