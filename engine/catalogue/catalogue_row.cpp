// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_row.h"

#include <algorithm>
#include <iterator>

const char* RowStatusText(RowStatus status)
{
    switch (status) {
    case RowStatus::NotChecked: return "not checked";
    case RowStatus::NoChecksum: return "no checksum";
    case RowStatus::ChecksumLost: return "checksum lost";
    case RowStatus::Verified: return "verified";
    case RowStatus::Damaged: return "damaged";
    case RowStatus::CutShort: return "cut short";
    case RowStatus::NoData: return "no data";
    case RowStatus::FolderLost: return "folder lost";
    case RowStatus::Saved: return "saved";
    case RowStatus::PartlySaved: return "partly saved";
    case RowStatus::NotSaved: return "not saved";
    case RowStatus::FromCatalogue: return "from the catalogue";
    case RowStatus::NotFound: return "not found";
    }
    return "not checked";
}

int StatusSortRank(RowStatus status)
{
    static constexpr RowStatus kOrder[] = {RowStatus::Verified,   RowStatus::NotChecked,    RowStatus::NoChecksum,
                                           RowStatus::Saved,      RowStatus::FromCatalogue, RowStatus::ChecksumLost,
                                           RowStatus::NoData,     RowStatus::CutShort,      RowStatus::PartlySaved,
                                           RowStatus::FolderLost, RowStatus::Damaged,       RowStatus::NotSaved,
                                           RowStatus::NotFound};
    int rank = 0;
    while (rank < static_cast<int>(std::size(kOrder)) && kOrder[rank] != status)
        ++rank;
    return rank;
}

bool IsOkStatus(RowStatus status)
{
    return status == RowStatus::Verified || status == RowStatus::NotChecked || status == RowStatus::NoChecksum
           || status == RowStatus::Saved;
}

RowStatus StatusAfterDataCheck(RowStatus status, bool intact)
{
    if (!intact)
        return status == RowStatus::NoData || status == RowStatus::NotFound ? status : RowStatus::Damaged;
    return status == RowStatus::NotChecked || status == RowStatus::FromCatalogue ? RowStatus::Verified : status;
}

ByteRange RowDataRange(const CatalogueRow& entry, std::uint64_t backupSize)
{
    // The file ends where the backup ends, or where the next block begins
    // when its stated size runs past the end.
    const std::uint64_t end = std::min(backupSize, entry.dataLimit);
    if (!entry.located || entry.offset >= end)
        return {entry.offset, 0};
    return {entry.offset, std::min(entry.size, end - entry.offset)};
}
