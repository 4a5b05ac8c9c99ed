// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_store.h"

#include "human_units.h"

#include <algorithm>
#include <iterator>
#include <cstring>
#include <stdexcept>

namespace {
constexpr std::size_t kChunkSize = std::size_t{1} << 20;
constexpr std::size_t kMaxPathBytes = 0xFFFF;
} // namespace

CatalogueStore::CatalogueStore() = default;
CatalogueStore::~CatalogueStore() = default;

std::size_t CatalogueStore::Append(const CatalogueRow& row)
{
    if (row.path.size() > kMaxPathBytes)
        throw std::length_error("catalogue path too long");
    if (m_chunks.empty() || kChunkSize - m_chunkUsed < row.path.size()) {
        m_chunks.push_back(std::make_unique<char[]>(kChunkSize));
        m_chunkUsed = 0;
    }
    const std::uint64_t chunkIndex = m_chunks.size() - 1;
    if (!row.path.empty())
        std::memcpy(m_chunks.back().get() + m_chunkUsed, row.path.data(), row.path.size());

    Record record{};
    record.pathStart = (chunkIndex << kChunkBits) | m_chunkUsed;
    record.pathLength = static_cast<std::uint16_t>(row.path.size());
    record.size = row.size;
    record.offset = row.offset;
    record.located = row.located;
    record.verified = row.verified;
    record.modified = row.modified;
    record.hasChecksum = row.checksum.has_value();
    record.checksum = row.checksum.value_or(0);
    record.dataLimit = row.dataLimit;
    record.status = row.status;
    record.outcome = row.status;
    m_rows.push_back(record);
    m_ticks.push_back(0);
    m_unlisted += IsListedFile(record.status) ? 0 : 1;
    m_totalBytes += BytesOf(record);
    m_chunkUsed += row.path.size();
    return m_rows.size() - 1;
}

void CatalogueStore::Clear()
{
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_ticks.clear();
    m_ticks.shrink_to_fit();
    m_tickedCount = 0;
    m_tickedBytes = 0;
    m_totalBytes = 0;
    m_unlisted = 0;
    m_chunks.clear();
    m_chunkUsed = 0;
    m_folderDates.clear();
    m_details.clear();
}

const char* CatalogueStore::PathData(const Record& record) const
{
    const std::uint64_t chunk = record.pathStart >> kChunkBits;
    const std::uint64_t within = record.pathStart & ((std::uint64_t{1} << kChunkBits) - 1);
    return m_chunks[chunk].get() + within;
}

std::string_view CatalogueStore::Path(std::size_t row) const
{
    const Record& record = m_rows[row];
    return std::string_view(PathData(record), record.pathLength);
}

CatalogueRow CatalogueStore::Row(std::size_t row) const
{
    const Record& record = m_rows[row];
    CatalogueRow entry{Path(row), record.located, record.size, record.offset, record.verified};
    entry.modified = record.modified;
    if (record.hasChecksum)
        entry.checksum = record.checksum;
    entry.dataLimit = record.dataLimit;
    entry.status = Status(row);
    return entry;
}

namespace {

bool IsSaveOutcome(RowStatus status)
{
    return status == RowStatus::Saved || status == RowStatus::PartlySaved || status == RowStatus::NotSaved;
}

// "15.1 KiB of 64.0 KiB" of a cut-short row: the bytes before its data limit.
std::string CutShortDetail(const CatalogueRow& row)
{
    const std::uint64_t present = row.dataLimit > row.offset ? std::min(row.size, row.dataLimit - row.offset) : 0;
    return HumanBytes(present) + " of " + HumanBytes(row.size);
}

} // namespace

RowStatus CatalogueStore::Status(std::size_t row) const
{
    const Record& record = m_rows[row];
    if (!IsSaveOutcome(record.outcome))
        return record.status;
    // Saved whole, but its data are known to be bad or could not be checked.
    const bool doubtful = record.status == RowStatus::Damaged || record.status == RowStatus::ChecksumLost;
    return record.outcome == RowStatus::Saved && doubtful ? record.status : record.outcome;
}

std::string CatalogueStore::StatusDetail(std::size_t row) const
{
    const RowStatus status = Status(row);
    if (status == RowStatus::CutShort)
        return CutShortDetail(Row(row));
    if (!IsSaveOutcome(status))
        return {};
    const auto found = m_details.find(row);
    return found == m_details.end() ? std::string() : found->second;
}

std::string CatalogueStore::StatusText(std::size_t row) const
{
    const std::string detail = StatusDetail(row);
    const std::string word = RowStatusText(Status(row));
    return detail.empty() ? word : word + " (" + detail + ")";
}

void CatalogueStore::NoteDataCheck(std::size_t row, bool intact)
{
    Record& record = m_rows[row];
    record.status = StatusAfterDataCheck(record.status, intact);
}

void CatalogueStore::SetSaveOutcome(std::size_t row, RowStatus outcome, std::string detail)
{
    m_rows[row].outcome = outcome;
    if (detail.empty())
        m_details.erase(row);
    else
        m_details[row] = std::move(detail);
}

void CatalogueStore::AddFolderDate(std::string_view folderPath, std::uint64_t modified)
{
    if (modified != 0)
        m_folderDates.push_back(FolderDate{std::string(folderPath), modified});
}

void CatalogueStore::SetTicked(std::size_t row, bool ticked)
{
    std::uint8_t& tick = m_ticks[row];
    if ((tick != 0) == ticked || (ticked && !IsListedFile(m_rows[row].status)))
        return; // a file that was not found has nothing to save
    tick = ticked ? 1 : 0;
    const std::uint64_t bytes = BytesOf(m_rows[row]);
    if (ticked) {
        ++m_tickedCount;
        m_tickedBytes += bytes;
    } else {
        --m_tickedCount;
        m_tickedBytes -= bytes;
    }
}

void CatalogueStore::SetAllTicked(bool ticked)
{
    std::fill(m_ticks.begin(), m_ticks.end(), ticked ? 1 : 0);
    m_tickedCount = ticked ? m_rows.size() : 0;
    m_tickedBytes = ticked ? m_totalBytes : 0;
    if (ticked && m_unlisted > 0) {
        for (std::size_t row = 0; row < m_rows.size(); ++row)
            if (!IsListedFile(m_rows[row].status))
                m_ticks[row] = 0;
        m_tickedCount -= m_unlisted;
    }
}

std::size_t CatalogueStore::MemoryBytes() const
{
    return m_rows.capacity() * sizeof(Record) + m_ticks.capacity() + m_chunks.size() * kChunkSize;
}
