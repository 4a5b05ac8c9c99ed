// SPDX-License-Identifier: GPL-3.0-or-later
#include "data_check.h"

#include "bkf_file_handle.h"
#include "catalogue_row.h"
#include "data_checksum.h"
#include "extraction_progress.h"
#include "human_units.h"
#include "range_checksum_reader.h"

#include <algorithm>

namespace {

// What reading one row's data found.
struct RowRead {
    std::uint64_t read = 0;
    std::vector<ByteRange> unreadable; // positions in the file
    DataChecksum checksum;
    bool stopped = false;
};

// Reads a row's data in steps, with a progress report and a stop check
// between them.
RowRead ReadRow(RangeChecksumReader& reader, const ByteRange& range, ExtractionProgress& progress)
{
    RowRead outcome;
    while (outcome.read < range.length) {
        if (progress.StopNow()) {
            outcome.stopped = true;
            return outcome;
        }
        const ByteRange step{range.offset + outcome.read,
                             std::min(RangeChecksumReader::kStep, range.length - outcome.read)};
        RangeChecksumReader::Outcome piece = reader.Read(step);
        for (const ByteRange& bad : piece.unreadable)
            AddRange(outcome.unreadable, bad.offset - range.offset, bad.length);
        outcome.checksum.Merge(piece.checksum);
        outcome.read += step.length;
        progress.BytesCopied(step.length);
    }
    return outcome;
}

// A lone row's check reports to nobody and is never stopped.
class Unheard : public ExtractionProgress {
public:
    void Begin(std::size_t, std::uint64_t) override {}
    void FileStarted(std::size_t, std::string_view) override {}
    void BytesCopied(std::uint64_t) override {}
    void RowDone(std::size_t) override {}
};

class Checker {
public:
    Checker(const BkfFileHandle& backup, const CatalogueStore& store, ExtractionProgress& progress,
            const DataChecked& checked)
        : m_store(store), m_progress(progress), m_checked(checked), m_backupSize(backup.Size().value_or(0)),
          m_backup(backup)
    {
    }

    DataCheckReport Run(const std::vector<std::size_t>& rows, const std::atomic<bool>& running)
    {
        std::vector<ByteRange> ranges;
        ranges.reserve(rows.size());
        std::uint64_t bytes = 0;
        for (const std::size_t row : rows) {
            ranges.push_back(RowDataRange(m_store.Row(row), m_backupSize));
            bytes += ranges.back().length;
        }
        m_progress.Begin(rows.size(), bytes);
        RangeChecksumReader reader(m_backup);
        for (std::size_t index = 0; index < rows.size(); ++index) {
            if (!running.load(std::memory_order_relaxed) || !CheckRow(reader, rows[index], ranges[index]))
                return m_report;
        }
        m_report.completed = true;
        return m_report;
    }

private:
    // False when a stop came inside the row: its state stays as it was.
    bool CheckRow(RangeChecksumReader& reader, std::size_t row, const ByteRange& range)
    {
        const CatalogueRow entry = m_store.Row(row);
        m_progress.FileStarted(row, entry.path);
        RowRead read = ReadRow(reader, range, m_progress);
        if (read.stopped)
            return false;
        m_report.bytesRead += read.read;
        Judge(row, entry, read);
        ++m_report.rowsChecked;
        m_progress.RowDone(row);
        return true;
    }

    void Judge(std::size_t row, const CatalogueRow& entry, RowRead& read)
    {
        const RowStatus before = m_store.DataStatus(row);
        const bool whole = entry.located && read.read == entry.size;
        if (whole && entry.checksum && before != RowStatus::ChecksumLost) {
            const bool intact = read.checksum.Value() == *entry.checksum;
            m_checked(row, intact);
            if (intact) {
                ++m_report.verified;
                return;
            }
            return Note(row, entry, RowStatus::Damaged, read);
        }
        if (!entry.located)
            return Note(row, entry, RowStatus::NoData, read);
        if (!whole)
            return Note(row, entry, RowStatus::CutShort, read);
        if (before == RowStatus::ChecksumLost)
            return Note(row, entry, RowStatus::ChecksumLost, read);
        ++m_report.noChecksum;
        if (!read.unreadable.empty())
            Note(row, entry, RowStatus::NoChecksum, read);
    }

    void Note(std::size_t row, const CatalogueRow& entry, RowStatus status, RowRead& read)
    {
        CheckedFile file;
        file.row = row;
        file.path = std::string(entry.path);
        file.status = status;
        file.bytesPresent = read.read;
        file.size = entry.size;
        file.unreadable = std::move(read.unreadable);
        m_report.problems.push_back(std::move(file));
    }

    const CatalogueStore& m_store;
    ExtractionProgress& m_progress;
    const DataChecked& m_checked;
    const std::uint64_t m_backupSize;
    const BkfFileHandle& m_backup;
    DataCheckReport m_report;
};

} // namespace

DataCheckReport CheckData(const BkfFileHandle& backup, const CatalogueStore& store,
                          const std::vector<std::size_t>& rows, ExtractionProgress& progress,
                          const std::atomic<bool>& running, const DataChecked& checked)
{
    return Checker(backup, store, progress, checked).Run(rows, running);
}

std::optional<bool> RowDataIntact(const BkfFileHandle& backup, const CatalogueRow& row)
{
    const ByteRange range = RowDataRange(row, backup.Size().value_or(0));
    if (!row.checksum || !row.located || range.length != row.size)
        return std::nullopt;
    RangeChecksumReader reader(backup);
    Unheard quiet;
    const RowRead read = ReadRow(reader, range, quiet);
    if (read.stopped)
        return std::nullopt;
    return read.checksum.Value() == *row.checksum;
}

std::string DataCheckReportSummary(const DataCheckReport& report)
{
    struct Kind {
        RowStatus status;
        const char* words;
        std::size_t count;
    };
    Kind kinds[] = {{RowStatus::Damaged, " damaged", 0},
                    {RowStatus::CutShort, " cut short", 0},
                    {RowStatus::ChecksumLost, " with their checksum lost", 0},
                    {RowStatus::NoData, " without data", 0}};
    for (const CheckedFile& file : report.problems) {
        for (Kind& kind : kinds)
            kind.count += kind.status == file.status;
    }
    std::string text = CountOf(report.rowsChecked, "file", "files") + " (" + HumanBytes(report.bytesRead)
                       + ") checked: " + std::to_string(report.verified) + " verified";
    for (const Kind& kind : kinds) {
        if (kind.count > 0)
            text += ", " + std::to_string(kind.count) + kind.words;
    }
    if (report.noChecksum > 0)
        text += ", " + std::to_string(report.noChecksum) + " without a checksum";
    return text;
}

std::string DescribeCheckedFile(const CheckedFile& file)
{
    std::string text;
    switch (file.status) {
    case RowStatus::Damaged: text = "damaged: its data differ from the checksum the backup recorded"; break;
    case RowStatus::CutShort:
        text = "cut short: " + std::to_string(file.bytesPresent) + " of " + std::to_string(file.size)
               + " bytes are in the backup";
        break;
    case RowStatus::ChecksumLost: text = "its checksum is missing: the data may be damaged"; break;
    case RowStatus::NoData: text = "no data found"; break;
    default: break;
    }
    if (!file.unreadable.empty())
        text += (text.empty() ? "" : "; ") + std::string("unreadable bytes at ") + RangesText(file.unreadable);
    return text;
}
