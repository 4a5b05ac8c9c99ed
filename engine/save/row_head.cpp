// SPDX-License-Identifier: GPL-3.0-or-later
#include "row_head.h"

#include "bkf_file_handle.h"
#include "catalogue_store.h"
#include "copy_source.h"
#include "data_checksum.h"

#include <algorithm>

RowHead ReadRowHead(const BkfFileHandle& backup, const CatalogueRow& row, std::size_t limit)
{
    RowHead head;
    const ByteRange data = RowDataRange(row, backup.Size().value_or(0));
    head.available = data.length;
    head.cutShort = row.located && data.length < row.size;
    const std::uint64_t end = data.offset + std::min<std::uint64_t>(data.length, limit);
    CopySource source(backup, {});
    head.bytes.reserve(static_cast<std::size_t>(end - data.offset));
    for (std::uint64_t at = data.offset; at < end;) {
        const CopySource::Piece& piece = source.Read(0, at, end);
        for (const ByteRange& range : piece.unreadable)
            AddRange(head.unreadable, range.offset - data.offset, range.length);
        head.bytes.insert(head.bytes.end(), piece.bytes.data(), piece.bytes.data() + piece.bytes.size());
        at += piece.bytes.size();
    }
    if (row.checksum && head.bytes.size() == row.size && !head.cutShort) {
        DataChecksum checksum;
        checksum.Add(head.bytes.data(), head.bytes.size());
        head.checksumHolds = checksum.Value() == *row.checksum;
    }
    return head;
}
