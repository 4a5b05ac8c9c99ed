// SPDX-License-Identifier: GPL-3.0-or-later
#include "extraction_report.h"

#include "catalogue_store.h"
#include "human_units.h"

#include <optional>
#include <string>

namespace {

std::string WithReason(std::string text, const std::string& reason)
{
    return reason.empty() ? text : text + " (" + reason + ")";
}

std::string BelowRoot(const ExtractionReport& report, const std::optional<std::string>& below)
{
    return below && !report.rootFolder.empty() ? report.rootFolder + "/" + *below : std::string();
}

} // namespace

void ExtractionReport::NoteDataCheck(std::size_t row, std::string_view path, bool checked, bool intact)
{
    if (!checked) {
        ++dataUnchecked;
        if (nameUnchecked)
            unchecked.push_back(DamagedFile{row, std::string(path)});
    } else if (intact) {
        ++dataVerified;
        verifiedRows.push_back(row);
    } else {
        damaged.push_back(DamagedFile{row, std::string(path)});
    }
}

void ExtractionReport::NoteChecksumLost(std::size_t row, std::string_view path)
{
    checksumLost.push_back(DamagedFile{row, std::string(path)});
}

std::size_t ExtractionReport::LossCount() const
{
    // A row's failures are recorded together, one after the other.
    std::size_t losses = 0;
    const SaveFailure* previous = nullptr;
    for (const SaveFailure& failure : failures) {
        if (failure.kind != SaveFailureKind::NotAFile && (!previous || previous->row != failure.row))
            ++losses;
        previous = &failure;
    }
    return losses + notSavedDiskFull;
}

std::string SavedFilePath(const ExtractionReport& report, std::size_t row)
{
    return BelowRoot(report, report.places.FileOf(row));
}

std::string SavedFolderPath(const ExtractionReport& report, std::string_view folder)
{
    return BelowRoot(report, report.places.FolderOf(folder));
}

std::string DescribeFailure(const SaveFailure& failure)
{
    const std::string counts =
        std::to_string(failure.bytesWritten) + " of " + std::to_string(failure.bytesExpected) + " bytes";
    switch (failure.kind) {
    case SaveFailureKind::NoDataFound:
        return "no data found: saved as an empty file";
    case SaveFailureKind::NotAFile:
        return "probably not a file (no data found, block checksum fails): saved as an empty file";
    case SaveFailureKind::UnsafePath:
        return WithReason("not created: unsafe path", failure.reason);
    case SaveFailureKind::NotCreated:
        return WithReason("not created", failure.reason);
    case SaveFailureKind::CutShort:
        return "cut short: the backup ends inside the file, " + counts + " saved";
    case SaveFailureKind::Unreadable:
        return "unreadable bytes written as zeros at " + RangesText(failure.unreadable);
    case SaveFailureKind::WriteFailed:
        return WithReason("write failed after " + counts, failure.reason)
               + (failure.keptAs.empty() ? "" : ": kept as " + failure.keptAs);
    case SaveFailureKind::Stopped:
        return failure.keptAs.empty() ? WithReason("stopped after " + counts + "; not renamed", failure.reason)
                                      : "stopped after " + counts + ": kept as " + failure.keptAs;
    }
    return "not saved";
}

std::string DescribeKeptAside(const KeptAside& kept)
{
    std::string names;
    for (const std::string& name : kept.names)
        names.append(names.empty() ? "" : ", ").append(name);
    return std::string(kept.names.size() == 1 ? "an incomplete copy" : "incomplete copies")
           + " from an earlier save kept as " + names;
}

std::string DiskFullSummary(const ExtractionReport& report)
{
    if (report.notSavedDiskFull == 0)
        return {};
    return CountOf(report.notSavedDiskFull, "file", "files") + " not saved: the disk is full";
}

std::string DataCheckSummary(const ExtractionReport& report)
{
    if (report.dataVerified + report.damaged.size() + report.checksumLost.size() == 0)
        return {};
    const std::string lost = report.checksumLost.empty()
                                 ? std::string()
                                 : std::to_string(report.checksumLost.size()) + " with its checksum missing, ";
    return "data check: " + CountOf(report.dataVerified, "file", "files") + " verified, "
           + std::to_string(report.damaged.size()) + " damaged, " + lost + std::to_string(report.dataUnchecked)
           + " unchecked";
}

std::string DatesSummary(const ExtractionReport& report)
{
    return "dates: " + std::to_string(report.datesRestored) + " restored, " + std::to_string(report.datesUnknown)
           + " unknown or out of range, " + std::to_string(report.datesRefused) + " refused";
}

namespace {

// "15.1 KiB of 64.0 KiB", or why nothing of the file was saved: the detail
// of a failed row's state, and whether any of its bytes reached the file.
std::pair<RowStatus, std::string> OutcomeOf(const SaveFailure& failure)
{
    switch (failure.kind) {
    case SaveFailureKind::CutShort:
    case SaveFailureKind::WriteFailed:
    case SaveFailureKind::Stopped:
        return {RowStatus::PartlySaved, HumanBytes(failure.bytesWritten) + " of " + HumanBytes(failure.bytesExpected)};
    case SaveFailureKind::Unreadable:
        return {RowStatus::PartlySaved, "unreadable bytes written as zeros"};
    case SaveFailureKind::NoDataFound:
    case SaveFailureKind::NotAFile:
        return {RowStatus::NotSaved, "no data found"};
    case SaveFailureKind::UnsafePath:
    case SaveFailureKind::NotCreated:
        break;
    }
    return {RowStatus::NotSaved, DescribeFailure(failure)};
}

} // namespace

void MarkSavedRows(const ExtractionReport& report, CatalogueStore& store)
{
    for (std::size_t row = 0; row < store.RowCount(); ++row) {
        if (store.IsTicked(row))
            store.SetSaveOutcome(row, row < report.rowsReached ? RowStatus::Saved : RowStatus::NotSaved,
                                 row < report.rowsReached ? "" : "the save stopped before it");
    }
    // A row's failures come together; the first that cost bytes says most.
    const SaveFailure* previous = nullptr;
    for (const SaveFailure& failure : report.failures) {
        if (failure.row >= store.RowCount())
            continue;
        auto [outcome, detail] = OutcomeOf(failure);
        const bool sameRow = previous && previous->row == failure.row;
        if (!sameRow || store.Status(failure.row) != RowStatus::PartlySaved)
            store.SetSaveOutcome(failure.row, outcome, std::move(detail));
        previous = &failure;
    }
    for (const std::size_t row : report.verifiedRows) {
        if (row < store.RowCount())
            store.NoteDataCheck(row, true);
    }
    for (const DamagedFile& damaged : report.damaged) {
        if (damaged.row < store.RowCount())
            store.NoteDataCheck(damaged.row, false);
    }
}
