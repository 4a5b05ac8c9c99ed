// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The room engine/format/: the tape format, decoded from bytes. Descriptor
// blocks and names (block_format), a block's extent (block_extent), its
// streams (stream_chain, stream_names, checksum_stream), the data checksum
// (data_checksum), dates (mtf_date) and a set's own catalogue
// (set_catalogue_format, set_catalogue_reader).
//
// The part of the Microsoft Tape Format that the recovery engine reads: the
// descriptor-block tags, the offsets of the three name fields and of the set
// number, the layout of a stream header, and the conversion of an MTF name
// field (UTF-16LE) into the UTF-8 text of the catalogue.

#include "byte_view.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace BlockFormat {

constexpr std::size_t kSlotSize = 512;        // blocks start only on this grid
constexpr std::size_t kStreamHeaderSize = 22; // the data follow the header
constexpr std::size_t kStreamSearchSpan = 512; // STAN search span from a FILE block start

// Indexes into the tag table; FindBlockTag returns them.
enum BlockType : int {
    kZeroTag = -2,
    kUnknownTag = -1,
    kTape = 0, kSfmb, kSset, kVolb, kDirb, kFile, kEset, kEotm, kCfil, kEspb,
    kTsmp, kTfdd, kNacl, kNtqu, kCsum, kStan, kSpad, kFend, kNtoi,
    kTagCount
};

extern const char kBlockTags[kTagCount][5];

// Field offsets from the block start (16-bit size, 16-bit offset pairs).
constexpr std::size_t kSsetSetNumber = 0x3E;
constexpr std::size_t kSsetNameSize = 0x40;
constexpr std::size_t kSsetNameOffset = 0x42;
constexpr std::size_t kDirbNameSize = 0x50;
constexpr std::size_t kDirbNameOffset = 0x52;
constexpr std::size_t kFileNameSize = 0x54;
constexpr std::size_t kFileNameOffset = 0x56;
// DIRB and FILE: the 32-bit directory ID (a FILE's is its DIRB's).
constexpr std::size_t kDirectoryId = 76;

// The common block header: its checksum word at 50 is the XOR of the 25
// 16-bit words before it. FILE blocks give the distance of their first
// stream header at 8 ("offset to first event").
constexpr std::size_t kCommonHeaderSize = 52;
constexpr std::size_t kHeaderChecksum = 50;
constexpr std::size_t kFirstEventOffset = 8;

// Stream header fields, from the header start. Its checksum word at 20 is
// the XOR of the ten words before it; the next header follows the data on
// the 4-byte grid.
constexpr std::size_t kStreamLength = 8;
constexpr std::size_t kStreamChecksum = 20;
constexpr std::size_t kStreamAlignment = 4;
constexpr char kStandardStreamTag[] = "STAN";
constexpr char kPadStreamTag[] = "SPAD";

} // namespace BlockFormat

// -2 for four zero bytes, the tag's table index, or -1 for an unknown tag.
// `bytes` must hold at least four bytes.
int FindBlockTag(const std::uint8_t* bytes);

// True when `header` holds a whole common block header whose checksum holds.
bool BlockChecksumHolds(ByteView header);
// True when `header` holds a whole stream header whose checksum holds.
bool StreamChecksumHolds(ByteView header);

struct TapeName {
    std::string text;      // UTF-8; NUL units become "\"
    std::size_t units = 0; // UTF-16 code units consumed
};

// Converts the name field [start, end) of `window` (byte offsets) into UTF-8.
// A field that does not lie wholly inside the window reads as empty. A
// trailing odd byte counts as one more unit (its high byte taken as 0). The text
// starts with "\" when the first code unit is not NUL; `limit` caps the number
// of characters produced, that backslash included. Surrogate pairs decode to
// one character; an unpaired surrogate is kept in its three-byte form so that
// IsCleanName can refuse it.
TapeName CopyTapeName(ByteView window, std::size_t start, std::size_t end, std::size_t limit);
