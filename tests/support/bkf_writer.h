// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// BkfWriter builds test backups in memory, block by block on the 512-byte
// grid, so that a test states its backup in a few lines:
//
//     BkfWriter w;
//     w.Sset("Daily").Dirb({"WINDOWS", "system32"}).File("notepad.exe", "MZ");
//     ScanResult r = ScanBytes(w.Bytes());
//
// Each block starts at the next multiple of 512 after everything written so
// far and is padded with zeros to the next multiple of 512 after its last
// byte, so a block spans one slot or more. Only the fields the engine reads
// are filled in; everything else is zero. Positions are absolute file
// offsets unless a name says "distance" (from the block start).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A name as UTF-16 code units. Built from UTF-8 text (astral characters
// become surrogate pairs) or from raw units (unpaired surrogates, NULs,
// control characters).
class TapeString {
public:
    TapeString(const char* utf8);
    TapeString(const std::string& utf8);
    static TapeString Units(std::vector<std::uint16_t> units);

    const std::vector<std::uint16_t>& units() const { return m_units; }
    std::size_t ByteSize() const { return m_units.size() * 2; }

private:
    TapeString() = default;
    std::vector<std::uint16_t> m_units;
};

// UTF-8 to UTF-16; throws std::invalid_argument on malformed UTF-8.
std::vector<std::uint16_t> Utf16(std::string_view utf8);
// `text` repeated `count` times (long names in a line).
std::string Repeat(std::string_view text, std::size_t count);

// Where and how a block's (size, offset) name field is written.
struct NameLayout {
    std::optional<std::uint16_t> offset; // distance of the name from the block start; default kDefaultNameOffset
    std::optional<std::uint16_t> size;   // size field in bytes; default: the name's real byte size
    bool writeBytes = true;              // false: fill the field only, write no name bytes

    NameLayout& At(std::uint16_t distance) { offset = distance; return *this; }
    NameLayout& Size(std::uint16_t bytes) { size = bytes; return *this; }
    NameLayout& FieldOnly() { writeBytes = false; return *this; }
};

// How a FILE block and its STAN stream are written.
struct FileOptions {
    NameLayout name;
    // Distance of the 22-byte STAN header from the FILE block start. Default:
    // the first multiple of 4 at or after both the end of the written name
    // and the end of the fixed fields (0x58). A name of more than about 200
    // UTF-16 units at the default offset thus pushes the header out of the
    // engine's 512-byte search; pass StanAt() when the location matters.
    std::optional<std::size_t> stanAt;
    bool withStan = true;
    // Streams written before the STAN stream (a security stream "NACL" of
    // the given length, for example); the STAN header then follows the last
    // of them on the 4-byte grid unless stanAt says otherwise.
    std::vector<std::pair<std::string, std::size_t>> streamsBefore;
    // False: "offset to first event" stays 0 (as in a damaged block).
    bool withFirstEvent = true;
    // Stream length written in the header; default: the data's size. The
    // data written are always the given bytes.
    std::optional<std::uint64_t> streamLength;
    // A security stream "NACL" first, whose SID has a sub-authority of
    // 0x4E415453: its bytes spell "STAN" within 512 bytes of the block start.
    bool withSecurity = false;
    // The name in an FNAM stream before the STAN stream (attribute bit 17),
    // the name field left empty.
    bool nameInStream = false;
    // A CSUM stream after the data (STAN media-format bit 5) holding this
    // value; its default is the data's real checksum.
    bool withChecksum = false;
    std::optional<std::uint32_t> checksum;
    std::uint64_t modified = 0; // packed date at 56 (BkfWriter::Date)
    // Directory ID at 76; default: the ID of the last DIRB written in the set.
    std::optional<std::uint32_t> directoryId;

    FileOptions& NameAt(std::uint16_t distance) { name.At(distance); return *this; }
    FileOptions& NameSize(std::uint16_t bytes) { name.Size(bytes); return *this; }
    FileOptions& NameFieldOnly() { name.FieldOnly(); return *this; }
    FileOptions& StanAt(std::size_t distance) { stanAt = distance; return *this; }
    FileOptions& NoStan() { withStan = false; return *this; }
    FileOptions& StreamLength(std::uint64_t length) { streamLength = length; return *this; }
    FileOptions& StreamBefore(std::string tag, std::size_t length) { streamsBefore.emplace_back(std::move(tag), length); return *this; }
    FileOptions& NoFirstEvent() { withFirstEvent = false; return *this; }
    FileOptions& NameInStream() { nameInStream = true; return *this; }
    FileOptions& Security() { withSecurity = true; return *this; }
    FileOptions& Checksum(std::optional<std::uint32_t> value = std::nullopt) { withChecksum = true; checksum = value; return *this; }
    FileOptions& Modified(std::uint64_t packed) { modified = packed; return *this; }
    FileOptions& DirectoryId(std::uint32_t id) { directoryId = id; return *this; }
};

// Where the last File() call put things (absolute offsets).
struct FilePlacement {
    std::size_t block = 0;
    std::optional<std::size_t> stanHeader; // none with NoStan()
    std::size_t data = 0;                  // first data byte (header + 22)
};

class BkfWriter {
public:
    static constexpr std::size_t kSlot = 512;
    static constexpr std::size_t kWindow = 65536;
    static constexpr std::uint16_t kDefaultNameOffset = 0x60; // just past the fixed fields

    // --- Blocks. Each starts at NextSlot() and returns *this for chaining.

    // Directory IDs (at 76 of DIRB and FILE blocks) are counted per set: each
    // DIRB takes the next one from 1, each FILE carries its DIRB's (0 before
    // the set's first DIRB).

    // SSET: set number at 0x3E, name size/offset at 0x40/0x42.
    BkfWriter& Sset(const TapeString& name, std::uint16_t setNumber = 1, const NameLayout& layout = {});
    BkfWriter& Volb();
    // DIRB: each component followed by one NUL unit; no components (`Dirb({})`)
    // is the root, a single NUL unit. Name size/offset at 0x50/0x52.
    BkfWriter& Dirb(const std::vector<TapeString>& components, const NameLayout& layout = {});
    // DIRB whose name field holds exactly `whole` (no NULs added).
    BkfWriter& DirbName(const TapeString& whole, const NameLayout& layout = {});
    // DIRB that keeps its path in a PNAM stream (attribute bit 17), with an
    // empty name field and the modification date `modified`.
    BkfWriter& DirbInStream(const std::vector<TapeString>& components, std::uint64_t modified = 0);
    // Writes the packed date at 56 of the last block and seals it again.
    BkfWriter& Dated(std::uint64_t packed);
    // FILE block (name size/offset at 0x54/0x56), then the STAN header and the
    // data, padded to the next slot.
    BkfWriter& File(const TapeString& name, std::string_view data = {}, const FileOptions& options = {});
    BkfWriter& File(const TapeString& name, const std::vector<std::uint8_t>& data, const FileOptions& options = {});
    // The set's own catalogue, as the Windows utility leaves it after a set:
    // a filemark, an ESET whose first event is the "TFDD" stream on the next
    // slot (an entry for every DIRB and FILE block since the last SSET, at
    // its logical block), a pad, the "TSMP" set map and a pad, a second ESET
    // holding both streams' slot numbers, and a filemark.
    BkfWriter& SetCatalogue();
    // Where the last SetCatalogue() put things (absolute offsets).
    struct CatalogueParts {
        std::size_t eset = 0;
        std::size_t detailHeader = 0; // the TFDD stream header; its entries follow it
        std::size_t detailLength = 0;
        std::size_t secondEset = 0;
    };
    const CatalogueParts& LastCatalogue() const { return m_lastCatalogue; }
    // A block holding only its four-byte tag (TAPE, ESET, SPAD, "file", ...).
    BkfWriter& Tag(std::string_view tag);
    // `count` slots of zeros.
    BkfWriter& ZeroSlots(std::size_t count);

    // --- Raw placement.

    // Zero-fills up to `size` bytes (never shrinks). PadTo(65024) puts the
    // next block in the last slot of the first 64 KiB window.
    BkfWriter& PadTo(std::size_t size);
    // Writes bytes at an absolute offset, growing the backup as needed. The
    // next block still starts on the grid after them.
    BkfWriter& Raw(std::size_t offset, std::string_view bytes);
    BkfWriter& Raw(std::size_t offset, const std::vector<std::uint8_t>& bytes);
    BkfWriter& Put16(std::size_t offset, std::uint16_t value);
    BkfWriter& Put64(std::size_t offset, std::uint64_t value);
    // Starts a block with `tag` and returns its offset, for hand-made blocks.
    std::size_t BeginBlock(std::string_view tag);
    // Writes the common header checksum of the block at `block`.
    BkfWriter& SealBlock(std::size_t block);
    // Writes a 22-byte stream header at `at` with its checksum.
    BkfWriter& StreamHeader(std::size_t at, std::string_view tag, std::uint64_t length,
                            std::uint16_t mediaAttributes = 0);

    // --- Damage.

    BkfWriter& ZeroRange(std::size_t offset, std::size_t length);
    BkfWriter& Truncate(std::size_t size);
    // Inverts every bit of [offset, offset + length).
    BkfWriter& FlipBytes(std::size_t offset, std::size_t length);
    // Removes the 512 bytes of slot `index`; everything after moves up a slot.
    BkfWriter& DropSlot(std::size_t index);
    // Inserts `count` bytes of `fill` at `offset`, or removes `count` bytes
    // there: everything after moves off the grid.
    BkfWriter& InsertBytes(std::size_t offset, std::size_t count, std::uint8_t fill = 0x5A);
    BkfWriter& RemoveBytes(std::size_t offset, std::size_t count);

    // The packed date (year 14 bits, month 4, day 5, hour 5, minute 6, second 6).
    static std::uint64_t Date(unsigned year, unsigned month, unsigned day, unsigned hour = 0, unsigned minute = 0,
                              unsigned second = 0);
    // The XOR of `data` as little-endian 32-bit words, zero-padded.
    static std::uint32_t XorWords(const std::vector<std::uint8_t>& data);

    // --- Results.

    std::size_t NextSlot() const;
    std::size_t LastBlock() const { return m_lastBlock; }
    const FilePlacement& LastFile() const { return m_lastFile; }
    std::size_t Size() const { return m_bytes.size(); }
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

private:
    void EnsureSize(std::size_t size);
    void PadToSlot();
    // Writes the (size, offset) field at `fieldAt` and, unless FieldOnly,
    // the units; returns the distance just past the written name bytes.
    std::size_t WriteName(std::size_t block, std::size_t fieldAt, const std::vector<std::uint16_t>& units,
                          const NameLayout& layout);
    // Writes a stream holding `units` at `at`; returns the distance after it on the 4-byte grid.
    std::size_t NameStream(std::size_t block, std::size_t at, std::string_view tag,
                           const std::vector<std::uint16_t>& units);
    // Writes the security stream at `at`; returns the distance after it on the 4-byte grid.
    std::size_t SecurityStream(std::size_t block, std::size_t at);
    void Date(std::size_t block, std::uint64_t packed);
    void PadStream(std::size_t end);
    std::size_t BeginDirb();

    std::vector<std::uint8_t> m_bytes;
    std::size_t m_lastBlock = 0;
    FilePlacement m_lastFile;
    std::uint32_t m_directoryId = 0; // the ID of the set's last DIRB
    // VOLB, DIRB and FILE blocks since the last SSET, for the set's catalogue.
    struct SetEntry {
        enum class Kind { Volume, Folder, File };
        std::size_t block = 0;
        Kind kind = Kind::File;
        std::vector<std::uint16_t> name; // a folder's path, components NUL-ended
        std::uint64_t size = 0;
    };
    std::vector<SetEntry> m_setEntries;
    std::size_t m_setStart = 0; // the SSET's offset
    std::uint16_t m_setNumber = 0;
    CatalogueParts m_lastCatalogue;
};
