// SPDX-License-Identifier: GPL-3.0-or-later
// Saves one catalogue row below an output root: the file is created (its
// name shortened or numbered when the file system needs it) and the row's
// byte range copied into it. A per-file problem is recorded and the run goes on.

#include "row_saver.h"

#include "bkf_file_handle.h"
#include "catalogue_store.h"
#include "copy_source.h"
#include "data_checksum.h"
#include "extraction_progress.h"
#include "file_dates.h"
#include "output_path.h"
#include "output_root.h"
#include "saved_file_check.h"

#include <algorithm>

// What copying one file's range did.
struct CopyOutcome {
    std::uint64_t written = 0;
    std::vector<ByteRange> unreadable;
    bool writeFailed = false;
    bool stopped = false; // asked to stop at once before the range was copied
    std::string writeError;
};

namespace {

// Written data are handed to the disk in spans of this size: per 64 KiB slice
// the many small requests cost more than they save.
constexpr std::uint64_t kWriteBackSpan = std::uint64_t{8} << 20;

// Copies [offset, offset + length) of the backup; `length` lies inside it.
// Unreadable sectors are written as zeros so later data keep their offsets;
// a failed write ends the file. Every 8 MiB written are handed to the disk
// at once (StartWriteBack), so a long copy keeps the disk writing while it
// reads instead of leaving gigabytes of dirty pages behind.
CopyOutcome CopyRange(CopySource& source, std::size_t rangeIndex, std::uint64_t offset, std::uint64_t length, OutputFile& file,
                      ExtractionProgress& progress, DataChecksum* checksum)
{
    CopyOutcome outcome;
    std::uint64_t handedToDisk = 0;
    while (outcome.written < length) {
        if (progress.StopNow()) {
            outcome.stopped = true;
            return outcome;
        }
        const CopySource::Piece& piece = source.Read(rangeIndex, offset + outcome.written, offset + length);
        for (const ByteRange& range : piece.unreadable)
            AddRange(outcome.unreadable, range.offset - offset, range.length);
        if (checksum)
            checksum->Add(piece.bytes.data(), piece.bytes.size());
        std::size_t wrote = 0;
        if (!file.Write(piece.bytes.data(), piece.bytes.size(), wrote, &outcome.writeError)) {
            // What reached the file stays in it and is counted.
            outcome.written += wrote;
            outcome.writeFailed = true;
            return outcome;
        }
        outcome.written += piece.bytes.size();
        if (outcome.written - handedToDisk >= kWriteBackSpan) {
            file.StartWriteBack(handedToDisk, outcome.written - handedToDisk);
            handedToDisk = outcome.written;
        }
        progress.BytesCopied(piece.bytes.size());
    }
    return outcome;
}

SaveFailure Failure(std::size_t row, std::string_view path, SaveFailureKind kind, std::string reason = {})
{
    SaveFailure failure;
    failure.row = row;
    failure.path = std::string(path);
    failure.kind = kind;
    failure.reason = std::move(reason);
    return failure;
}

std::string JoinCataloguePath(const std::vector<std::string>& components)
{
    std::string path;
    for (const std::string& component : components)
        path.append(path.empty() ? "" : "\\").append(component);
    return path;
}

} // namespace


RowSaver::RowSaver(const BkfFileHandle& backup, OutputRoot& root, ExtractionProgress& progress,
                   ExtractionReport& report, const std::vector<ByteRange>& rangesAhead)
    : m_backup(backup), m_root(root), m_progress(progress), m_report(report), m_backupSize(backup.Size().value_or(0)),
      m_source(std::make_unique<CopySource>(backup, rangesAhead))
{
}

RowSaver::~RowSaver() = default;

bool RowSaver::SaveRow(std::size_t row, const CatalogueRow& entry)
{
    const std::size_t rangeIndex = m_rowsAsked++;
    std::string why;
    const auto components = SafePathComponents(entry.path, &why);
    if (!components) {
        m_report.failures.push_back(Failure(row, entry.path, SaveFailureKind::UnsafePath, why));
        return false;
    }
    const std::size_t failuresBefore = m_report.failures.size();
    std::vector<std::string> savedAs;
    OutputRoot::Resumed resumed;
    const bool created = CreateAndCopy(row, rangeIndex, entry, *components, savedAs, resumed);
    SettleLeftovers(row, entry, savedAs, resumed.leftovers, m_report.failures.size() == failuresBefore);
    return created;
}

// Creates the row's file (or, continuing, keeps the one there whole) and
// copies its data; false when no file was created.
bool RowSaver::CreateAndCopy(std::size_t row, std::size_t rangeIndex, const CatalogueRow& entry,
                             const std::vector<std::string>& components, std::vector<std::string>& savedAs,
                             OutputRoot::Resumed& resumed)
{
    std::string why;
    const OutputRoot::ExistingFileCheck whole = [&](int fd) { return HoldsRowData(fd, entry, m_backup); };
    auto file = m_root.CreateFile(components, &why, &savedAs, m_continuing ? &whole : nullptr, &resumed);
    if (resumed.kept) {
        m_report.places.NoteFile(row, components, savedAs);
        NoteKept(row, entry);
        return false;
    }
    if (!file) {
        m_report.failures.push_back(Failure(row, entry.path, SaveFailureKind::NotCreated, why));
        return false;
    }
    if (savedAs != components)
        m_report.renamed.push_back(RenamedFile{row, std::string(entry.path), JoinCataloguePath(savedAs)});
    if (!entry.located) {
        // The row still yields an empty file; the report says why it is empty.
        m_report.failures.push_back(Failure(row, entry.path,
                                            entry.verified ? SaveFailureKind::NoDataFound : SaveFailureKind::NotAFile));
        Date(*file, entry, components, savedAs);
        file->Close(nullptr);
        m_report.places.NoteFile(row, components, savedAs);
        m_report.NoteDataCheck(row, entry.path, false, false);
        return true;
    }
    CopyRow(row, rangeIndex, entry, components, savedAs, *file);
    return true;
}

// The incomplete copies of a continued save's file (what a stop or a power
// cut left, set aside): removed once the file is whole, listed otherwise.
void RowSaver::SettleLeftovers(std::size_t row, const CatalogueRow& entry, const std::vector<std::string>& savedAs,
                               const std::vector<std::string>& leftovers, bool whole)
{
    if (leftovers.empty())
        return;
    if (whole)
        m_root.RemoveBeside(savedAs, leftovers);
    else
        m_report.keptAside.push_back(KeptAside{row, std::string(entry.path), leftovers});
}

// Copies the row's data into its new file, closes it and records the outcome.
void RowSaver::CopyRow(std::size_t row, std::size_t rangeIndex, const CatalogueRow& entry,
                       const std::vector<std::string>& components, const std::vector<std::string>& savedAs,
                       OutputFile& file)
{
    const std::uint64_t available = RowDataRange(entry, m_backupSize).length;
    DataChecksum checksum;
    CopyOutcome outcome = CopyRange(*m_source, rangeIndex, entry.offset, available, file, m_progress,
                                    entry.checksum ? &checksum : nullptr);
    if (!outcome.stopped && !outcome.writeFailed)
        Date(file, entry, components, savedAs);
    std::string closeError;
    const bool closed = file.Close(&closeError);
    if (outcome.stopped)
        return KeepAside(row, entry, savedAs, outcome);
    m_diskFull = m_diskFull || file.DiskFull();
    if (outcome.writeFailed || !closed)
        return RecordWriteFailure(row, entry, savedAs, outcome, outcome.writeFailed ? outcome.writeError : closeError);
    m_report.places.NoteFile(row, components, savedAs);
    RecordCopy(row, entry, available, outcome);
    // The data check, when the backup recorded a checksum and the whole file was copied.
    const bool whole = outcome.written == entry.size;
    if (whole && entry.status == RowStatus::ChecksumLost)
        return m_report.NoteChecksumLost(row, entry.path);
    const bool checked = whole && entry.checksum.has_value();
    m_report.NoteDataCheck(row, entry.path, checked, checked && checksum.Value() == *entry.checksum);
}

// The file's recorded date, set through the file while it is open.
void RowSaver::Date(OutputFile& file, const CatalogueRow& entry, const std::vector<std::string>& components,
                    const std::vector<std::string>& savedAs)
{
    if (m_dates)
        m_dates->FileSaved(components, savedAs, entry.modified, file, m_report);
}

// A file left unfinished keeps its bytes under another name, so that no
// incomplete file passes for a saved one.
void RowSaver::SetAside(SaveFailure& failure, const std::vector<std::string>& savedAs)
{
    std::string why;
    failure.keptAs = m_root.RenameAside(savedAs, OutputRoot::kAsideSuffix, &why).value_or(std::string());
    if (failure.keptAs.empty())
        failure.reason += (failure.reason.empty() ? "" : "; not renamed: ") + why;
}

void RowSaver::KeepAside(std::size_t row, const CatalogueRow& entry, const std::vector<std::string>& savedAs,
                         const CopyOutcome& outcome)
{
    m_stopped = true;
    SaveFailure failure = Failure(row, entry.path, SaveFailureKind::Stopped);
    failure.bytesWritten = outcome.written;
    failure.bytesExpected = entry.size;
    SetAside(failure, savedAs);
    m_report.failures.push_back(std::move(failure));
}

// A file the system would not take whole is set aside as NAME.partial; its
// bytes do not count as saved.
void RowSaver::RecordWriteFailure(std::size_t row, const CatalogueRow& entry, const std::vector<std::string>& savedAs,
                                  const CopyOutcome& outcome, const std::string& reason)
{
    SaveFailure failure = Failure(row, entry.path, SaveFailureKind::WriteFailed, reason);
    failure.bytesWritten = outcome.written;
    failure.bytesExpected = entry.size;
    SetAside(failure, savedAs);
    m_report.failures.push_back(std::move(failure));
    m_report.NoteDataCheck(row, entry.path, false, false);
}

void RowSaver::NoteCutShort(std::size_t row, const CatalogueRow& entry, std::uint64_t written)
{
    SaveFailure failure = Failure(row, entry.path, SaveFailureKind::CutShort);
    failure.bytesWritten = written;
    failure.bytesExpected = entry.size;
    m_report.failures.push_back(std::move(failure));
}

// A file an earlier save left whole is kept; what it lacks is said again.
void RowSaver::NoteKept(std::size_t row, const CatalogueRow& entry)
{
    ++m_report.alreadySaved;
    const std::uint64_t available = RowDataRange(entry, m_backupSize).length;
    if (!entry.located)
        m_report.failures.push_back(Failure(row, entry.path,
                                            entry.verified ? SaveFailureKind::NoDataFound : SaveFailureKind::NotAFile));
    else if (available < entry.size)
        NoteCutShort(row, entry, available);
}

void RowSaver::RecordCopy(std::size_t row, const CatalogueRow& entry, std::uint64_t available,
                          CopyOutcome& outcome)
{
    const std::size_t failuresBefore = m_report.failures.size();
    m_report.bytesSaved += outcome.written;
    if (available < entry.size)
        NoteCutShort(row, entry, outcome.written);
    if (!outcome.unreadable.empty()) {
        SaveFailure failure = Failure(row, entry.path, SaveFailureKind::Unreadable);
        failure.bytesWritten = outcome.written;
        failure.bytesExpected = entry.size;
        failure.unreadable = std::move(outcome.unreadable);
        m_report.failures.push_back(std::move(failure));
    }
    if (m_report.failures.size() == failuresBefore) {
        ++m_report.filesSaved;
        m_progress.FileSaved(row, outcome.written);
    }
}

