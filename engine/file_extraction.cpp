// Copies the ticked rows' byte ranges out of the backup into a new output
// root. A per-file problem is recorded and the run goes on.

#include "bkf_scanner.h"
#include "catalogue_store.h"
#include "extraction_progress.h"
#include "output_path.h"
#include "output_root.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::size_t kCopySliceSize = 65536;

struct CopyOutcome {
    std::uint64_t written = 0;
    std::vector<ByteRange> unreadable;
    bool writeFailed = false;
    bool stopped = false; // asked to stop at once before the range was copied
    std::string writeError;
};

void AddUnreadable(std::vector<ByteRange>& ranges, std::uint64_t offset, std::uint64_t length)
{
    if (!ranges.empty() && ranges.back().offset + ranges.back().length == offset)
        ranges.back().length += length;
    else
        ranges.push_back({offset, length});
}

// Copies [offset, offset + length) of the backup; `length` lies inside it.
// Unreadable bytes are written as zeros so later data keep their offsets; a
// failed write ends the file.
CopyOutcome CopyRange(const BkfFileHandle& backup, std::uint64_t offset, std::uint64_t length, OutputFile& file,
                      std::vector<std::uint8_t>& buffer, ExtractionProgress& progress)
{
    CopyOutcome outcome;
    while (outcome.written < length) {
        if (progress.StopNow()) {
            outcome.stopped = true;
            return outcome;
        }
        const std::size_t slice =
            static_cast<std::size_t>(std::min<std::uint64_t>(kCopySliceSize, length - outcome.written));
        const auto got = backup.ReadAt(offset + outcome.written, buffer.data(), slice);
        const std::size_t valid = got ? std::min(*got, slice) : 0;
        if (valid < slice) {
            std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(valid),
                      buffer.begin() + static_cast<std::ptrdiff_t>(slice), std::uint8_t{0});
            AddUnreadable(outcome.unreadable, outcome.written + valid, slice - valid);
        }
        std::size_t wrote = 0;
        if (!file.Write(buffer.data(), slice, wrote, &outcome.writeError)) {
            // What reached the file stays in it and is counted.
            outcome.written += wrote;
            outcome.writeFailed = true;
            return outcome;
        }
        outcome.written += slice;
        progress.BytesCopied(slice);
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

class Extraction {
public:
    Extraction(const BkfFileHandle& backup, const CatalogueStore& rows, OutputRoot& root,
               ExtractionProgress& progress, ExtractionReport& report)
        : m_backup(backup), m_rows(rows), m_root(root), m_progress(progress), m_report(report),
          m_backupSize(backup.Size().value_or(0))
    {
    }

    // False when the row was skipped before a file existed.
    bool SaveRow(std::size_t row);
    // True once a file was abandoned on a request to stop at once.
    bool StoppedInsideAFile() const { return m_stopped; }

private:
    void KeepAside(std::size_t row, const CatalogueRow& entry, const std::vector<std::string>& components,
                   const CopyOutcome& outcome);
    void RecordCopy(std::size_t row, const CatalogueRow& entry, std::uint64_t expected, CopyOutcome& outcome,
                    bool closed, const std::string& closeError);

    const BkfFileHandle& m_backup;
    const CatalogueStore& m_rows;
    OutputRoot& m_root;
    ExtractionProgress& m_progress;
    ExtractionReport& m_report;
    const std::uint64_t m_backupSize;
    std::vector<std::uint8_t> m_buffer = std::vector<std::uint8_t>(kCopySliceSize);
    bool m_stopped = false;
};

bool Extraction::SaveRow(std::size_t row)
{
    const CatalogueRow entry = m_rows.Row(row);
    std::string why;
    const auto components = SafePathComponents(entry.path, &why);
    if (!components) {
        m_report.failures.push_back(Failure(row, entry.path, SaveFailureKind::UnsafePath, why));
        return false;
    }
    auto file = m_root.CreateFile(*components, &why);
    if (!file) {
        m_report.failures.push_back(Failure(row, entry.path, SaveFailureKind::NotCreated, why));
        return false;
    }
    if (!entry.located) {
        // As before, the row still yields an empty file; the report says why it is empty.
        file->Close(nullptr);
        m_report.failures.push_back(Failure(row, entry.path, SaveFailureKind::NoDataFound));
        return true;
    }
    // The file ends where the backup ends.
    const std::uint64_t available =
        entry.offset >= m_backupSize ? 0 : std::min(entry.size, m_backupSize - entry.offset);
    CopyOutcome outcome = CopyRange(m_backup, entry.offset, available, *file, m_buffer, m_progress);
    std::string closeError;
    const bool closed = file->Close(&closeError);
    if (outcome.stopped)
        KeepAside(row, entry, *components, outcome);
    else
        RecordCopy(row, entry, available, outcome, closed, closeError);
    return true;
}

// A file left unfinished keeps its bytes under another name, so that no
// incomplete file passes for a saved one.
void Extraction::KeepAside(std::size_t row, const CatalogueRow& entry, const std::vector<std::string>& components,
                           const CopyOutcome& outcome)
{
    m_stopped = true;
    m_report.bytesSaved += outcome.written;
    std::string why;
    SaveFailure failure = Failure(row, entry.path, SaveFailureKind::Stopped);
    failure.keptAs = m_root.RenameAside(components, ".partial", &why).value_or(std::string());
    failure.reason = failure.keptAs.empty() ? why : std::string();
    failure.bytesWritten = outcome.written;
    failure.bytesExpected = entry.size;
    m_report.failures.push_back(std::move(failure));
}

void Extraction::RecordCopy(std::size_t row, const CatalogueRow& entry, std::uint64_t available,
                            CopyOutcome& outcome, bool closed, const std::string& closeError)
{
    const std::size_t failuresBefore = m_report.failures.size();
    m_report.bytesSaved += outcome.written;
    if (outcome.writeFailed || !closed) {
        SaveFailure failure = Failure(row, entry.path, SaveFailureKind::WriteFailed,
                                      outcome.writeFailed ? outcome.writeError : closeError);
        failure.bytesWritten = outcome.written;
        failure.bytesExpected = entry.size;
        m_report.failures.push_back(std::move(failure));
    } else if (available < entry.size) {
        SaveFailure failure = Failure(row, entry.path, SaveFailureKind::CutShort);
        failure.bytesWritten = outcome.written;
        failure.bytesExpected = entry.size;
        m_report.failures.push_back(std::move(failure));
    }
    if (!outcome.unreadable.empty()) {
        SaveFailure failure = Failure(row, entry.path, SaveFailureKind::Unreadable);
        failure.bytesWritten = outcome.written;
        failure.bytesExpected = entry.size;
        failure.unreadable = std::move(outcome.unreadable);
        m_report.failures.push_back(std::move(failure));
    }
    if (m_report.failures.size() == failuresBefore)
        ++m_report.filesSaved;
}

} // namespace

ExtractionReport BkfScanner::ExtractCheckedFiles(const BkfFileHandle& backup, const CatalogueStore& rows,
                                                 const std::string& prefix, ExtractionProgress& progress)
{
    ExtractionReport report;
    m_bRunning = true;
    const std::size_t rowCount = rows.RowCount();
    std::uint64_t bytesChosen = 0;
    for (std::size_t row = 0; row < rowCount; ++row) {
        if (rows.IsTicked(row))
            bytesChosen += rows.Row(row).size;
    }
    progress.Begin(rowCount, bytesChosen);

    auto root = OutputRoot::Create(m_strDestination, prefix, &report.rootError);
    if (!root)
        return report;
    report.rootCreated = true;
    report.rootFolder = root->Path();

    Extraction extraction(backup, rows, *root, progress, report);
    for (std::size_t row = 0; row < rowCount; ++row) {
        if (!m_bRunning.load() || extraction.StoppedInsideAFile())
            return report; // rows before this one are complete
        if (!rows.IsTicked(row)) {
            progress.RowDone(row);
            continue;
        }
        progress.FileStarted(row, rows.Path(row));
        if (extraction.SaveRow(row))
            progress.RowDone(row);
    }
    report.completed = true;
    return report;
}
