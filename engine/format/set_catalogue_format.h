// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layout of a set's own catalogue as the writer leaves it after the set:
// an ESET whose first event is a "TFDD" stream header on the next 512-byte
// boundary, whose data are entries on the 4-byte grid (VOLB, DIRB, FILE,
// FEND), then a "TSMP" set map, a pad, a second ESET holding the slot
// numbers of both stream headers, and a filemark.

#include <cstddef>
#include <cstdint>

namespace SetCatalogueFormat {

constexpr char kDetailStreamTag[] = "TFDD";
constexpr char kSetMapStreamTag[] = "TSMP";
// A catalogue of the other type, recognised but not read.
constexpr char kDetailStreamTag2[] = "FDD2";
constexpr char kSetMapStreamTag2[] = "MAP2";

// Entry addresses count logical blocks of this size from the set's SSET.
constexpr std::uint64_t kLogicalBlockSize = 1024;
constexpr std::size_t kEntryAlignment = 4;

// The header every entry starts with (distances from the entry start).
constexpr std::size_t kLength = 0;        // u16, the whole entry
constexpr std::size_t kType = 2;          // four-character tag
constexpr std::size_t kMediaSequence = 6; // u16
constexpr std::size_t kAttributes = 8;    // u32
constexpr std::size_t kAddress = 12;      // u64, logical blocks from the SSET
constexpr std::size_t kSize = 20;         // u64, displayable size
constexpr std::size_t kLink = 28;         // i32, see below
constexpr std::size_t kOsId = 32;         // u8, then the OS version
constexpr std::size_t kStringType = 34;   // u8, then a pad byte
constexpr std::size_t kHeaderSize = 36;
constexpr std::uint8_t kUnicodeStrings = 2;

// DIRB and FILE: four packed dates (modified, created, backed up, accessed),
// attributes, then (size, distance) of the name and of the OS data. A FILE's
// link is its DIRB entry's distance from the first byte of the entries (0:
// none); a DIRB's is its next sibling's, a VOLB's the next volume's.
constexpr std::size_t kModified = 36;
constexpr std::size_t kDateSize = 5;
constexpr std::size_t kEntryAttributes = 56;
constexpr std::size_t kNameSize = 60;
constexpr std::size_t kNameOffset = 62;
constexpr std::size_t kOsDataSize = 64;
constexpr std::size_t kOsDataOffset = 66;
constexpr std::size_t kEntryFixedSize = 68;

// VOLB: attributes, then (size, distance) of the device, volume and machine
// names and of the OS data, then the packed write date.
constexpr std::size_t kVolumeAttributes = 36;
constexpr std::size_t kDeviceName = 40;
constexpr std::size_t kVolumeName = 44;
constexpr std::size_t kMachineName = 48;
constexpr std::size_t kVolumeOsData = 52;
constexpr std::size_t kVolumeDate = 56;
constexpr std::size_t kVolumeFixedSize = 64;

// The second ESET: the 512-byte slot numbers (u64) of the two stream headers.
constexpr std::size_t kEsetDetailSlot = 0x40;
constexpr std::size_t kEsetSetMapSlot = 0x48;

} // namespace SetCatalogueFormat
