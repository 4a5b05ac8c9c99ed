// SPDX-License-Identifier: GPL-3.0-or-later
#include "bkf_writer.h"

#include "byte_layout.h"
#include "set_catalogue_encoder.h"
#include "set_catalogue_format.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr std::size_t kSsetSetNumber = 0x3E;
constexpr std::size_t kSsetNameField = 0x40;
constexpr std::size_t kDirbNameField = 0x50;
constexpr std::size_t kFileNameField = 0x54;
constexpr std::size_t kFileFixedEnd = 0x58;
constexpr std::size_t kStreamHeaderSize = 22;
constexpr std::size_t kStreamLengthAt = 8;
constexpr std::size_t kStreamChecksumAt = 20;
constexpr std::size_t kFirstEventAt = 8;
constexpr std::size_t kHeaderChecksumAt = 50;
constexpr std::size_t kAttributesAt = 52;
constexpr std::size_t kDateAt = 56;
constexpr std::size_t kMediaAttributesAt = 6;
constexpr std::uint32_t kNameInStream = 1u << 17;
constexpr std::uint16_t kChecksumFollows = 1u << 5;
constexpr std::size_t kDirbStreamAt = 0x60;
constexpr std::size_t kDirectoryIdAt = 76;

std::uint32_t DecodeUtf8(std::string_view text, std::size_t& i)
{
    auto fail = [] { throw std::invalid_argument("malformed UTF-8 in a test name"); };
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80)
        return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra == 0 || lead >= 0xF8)
        fail();
    std::uint32_t code = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            fail();
        code = (code << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    return code;
}

} // namespace

std::vector<std::uint16_t> Utf16(std::string_view utf8)
{
    std::vector<std::uint16_t> units;
    for (std::size_t i = 0; i < utf8.size();) {
        std::uint32_t code = DecodeUtf8(utf8, i);
        if (code < 0x10000) {
            units.push_back(static_cast<std::uint16_t>(code));
        } else {
            code -= 0x10000;
            units.push_back(static_cast<std::uint16_t>(0xD800 | (code >> 10)));
            units.push_back(static_cast<std::uint16_t>(0xDC00 | (code & 0x3FF)));
        }
    }
    return units;
}

std::string Repeat(std::string_view text, std::size_t count)
{
    std::string out;
    out.reserve(text.size() * count);
    for (std::size_t k = 0; k < count; ++k)
        out += text;
    return out;
}

TapeString::TapeString(const char* utf8) : m_units(Utf16(utf8)) {}
TapeString::TapeString(const std::string& utf8) : m_units(Utf16(utf8)) {}

TapeString TapeString::Units(std::vector<std::uint16_t> units)
{
    TapeString name;
    name.m_units = std::move(units);
    return name;
}

std::size_t BkfWriter::NextSlot() const
{
    return AlignUp(m_bytes.size(), kSlot);
}

void BkfWriter::EnsureSize(std::size_t size)
{
    if (m_bytes.size() < size)
        m_bytes.resize(size, 0);
}

void BkfWriter::PadToSlot()
{
    EnsureSize(NextSlot());
}

std::size_t BkfWriter::BeginBlock(std::string_view tag)
{
    m_lastBlock = NextSlot();
    EnsureSize(m_lastBlock + kSlot);
    Raw(m_lastBlock, tag.substr(0, 4));
    return m_lastBlock;
}

std::size_t BkfWriter::WriteName(std::size_t block, std::size_t fieldAt, const std::vector<std::uint16_t>& units,
                                 const NameLayout& layout)
{
    const std::uint16_t distance = layout.offset.value_or(kDefaultNameOffset);
    const std::uint16_t size = layout.size.value_or(static_cast<std::uint16_t>(units.size() * 2));
    Put16(block + fieldAt, size);
    Put16(block + fieldAt + 2, distance);
    if (!layout.writeBytes)
        return 0;
    for (std::size_t k = 0; k < units.size(); ++k)
        Put16(block + distance + 2 * k, units[k]);
    return distance + units.size() * 2;
}

BkfWriter& BkfWriter::Sset(const TapeString& name, std::uint16_t setNumber, const NameLayout& layout)
{
    const std::size_t block = BeginBlock("SSET");
    m_directoryId = 0;
    m_setEntries.clear();
    m_setStart = block;
    m_setNumber = setNumber;
    Put16(block + kSsetSetNumber, setNumber);
    WriteName(block, kSsetNameField, name.units(), layout);
    SealBlock(block);
    PadToSlot();
    return *this;
}

BkfWriter& BkfWriter::Volb()
{
    Tag("VOLB");
    m_setEntries.push_back(SetEntry{m_lastBlock, SetEntry::Kind::Volume, {}, 0});
    return *this;
}

BkfWriter& BkfWriter::Dirb(const std::vector<TapeString>& components, const NameLayout& layout)
{
    std::vector<std::uint16_t> units;
    for (const TapeString& component : components) {
        units.insert(units.end(), component.units().begin(), component.units().end());
        units.push_back(0);
    }
    if (components.empty())
        units.push_back(0);
    return DirbName(TapeString::Units(units), layout);
}

std::size_t BkfWriter::BeginDirb()
{
    const std::size_t block = BeginBlock("DIRB");
    m_setEntries.push_back(SetEntry{block, SetEntry::Kind::Folder, {}, 0});
    ++m_directoryId;
    Put16(block + kDirectoryIdAt, static_cast<std::uint16_t>(m_directoryId));
    Put16(block + kDirectoryIdAt + 2, static_cast<std::uint16_t>(m_directoryId >> 16));
    return block;
}

BkfWriter& BkfWriter::DirbName(const TapeString& whole, const NameLayout& layout)
{
    const std::size_t block = BeginDirb();
    m_setEntries.back().name = whole.units();
    WriteName(block, kDirbNameField, whole.units(), layout);
    SealBlock(block);
    PadToSlot();
    return *this;
}

BkfWriter& BkfWriter::DirbInStream(const std::vector<TapeString>& components, std::uint64_t modified)
{
    std::vector<std::uint16_t> units;
    for (const TapeString& component : components) {
        units.insert(units.end(), component.units().begin(), component.units().end());
        units.push_back(0);
    }
    const std::size_t block = BeginDirb();
    m_setEntries.back().name = units;
    Put16(block + kDirbNameField + 2, kDefaultNameOffset);
    Put16(block + kAttributesAt + 2, static_cast<std::uint16_t>(kNameInStream >> 16));
    Put16(block + kFirstEventAt, kDirbStreamAt);
    NameStream(block, kDirbStreamAt, "PNAM", units);
    Date(block, modified);
    SealBlock(block);
    PadToSlot();
    return *this;
}

std::size_t BkfWriter::NameStream(std::size_t block, std::size_t at, std::string_view tag,
                                  const std::vector<std::uint16_t>& units)
{
    StreamHeader(block + at, tag, units.size() * 2);
    for (std::size_t k = 0; k < units.size(); ++k)
        Put16(block + at + kStreamHeaderSize + 2 * k, units[k]);
    return AlignUp(at + kStreamHeaderSize + units.size() * 2, 4);
}

std::size_t BkfWriter::SecurityStream(std::size_t block, std::size_t at)
{
    // A SID S-1-5-21-1312904275-2-3-1001: revision, count, authority, then
    // the sub-authorities as 32-bit words; 1312904275 is 0x4E415453, "STAN".
    const std::vector<std::uint8_t> sid = {1, 5, 0, 0, 0, 0, 0, 5, 21, 0, 0, 0, 'S', 'T', 'A', 'N',
                                           2, 0, 0, 0, 3, 0, 0, 0, 0xE9, 3, 0, 0};
    std::vector<std::uint8_t> descriptor(20, 0); // the descriptor's header: revision 1, offsets
    descriptor[0] = 1;
    descriptor[4] = 20; // owner SID right after the header
    descriptor.insert(descriptor.end(), sid.begin(), sid.end());
    StreamHeader(block + at, "NACL", descriptor.size());
    Raw(block + at + kStreamHeaderSize, descriptor);
    return AlignUp(at + kStreamHeaderSize + descriptor.size(), 4);
}

BkfWriter& BkfWriter::SetCatalogue()
{
    namespace Format = SetCatalogueFormat;
    SetCatalogueEncoder entries;
    // The entries start with a volume's: a file's link of 0 names no folder.
    if (m_setEntries.empty() || m_setEntries.front().kind != SetEntry::Kind::Volume)
        entries.Volume(0);
    for (const SetEntry& entry : m_setEntries) {
        const std::uint64_t address = (entry.block - std::min(entry.block, m_setStart)) / Format::kLogicalBlockSize;
        std::uint64_t modified = 0;
        for (std::size_t k = 0; k < 5; ++k)
            modified = modified << 8 | m_bytes[entry.block + kDateAt + k];
        switch (entry.kind) {
        case SetEntry::Kind::Volume: entries.Volume(address); break;
        case SetEntry::Kind::Folder: entries.Folder(entry.name, address, modified); break;
        case SetEntry::Kind::File: entries.File(entry.name, address, entry.size, modified); break;
        }
    }
    entries.End();
    Tag("SFMB");
    CatalogueParts& parts = m_lastCatalogue;
    parts.eset = BeginBlock("ESET");
    parts.detailHeader = parts.eset + kSlot;
    Put16(parts.eset + kFirstEventAt, static_cast<std::uint16_t>(kSlot));
    SealBlock(parts.eset);
    const std::vector<std::uint8_t> detail = entries.Take(true);
    parts.detailLength = detail.size();
    StreamHeader(parts.detailHeader, Format::kDetailStreamTag, detail.size());
    Raw(parts.detailHeader + kStreamHeaderSize, detail);
    PadStream(parts.detailHeader + kStreamHeaderSize + detail.size());
    // The set map: one set, its number, its SSET at logical block 0.
    const std::size_t setMap = NextSlot();
    std::vector<std::uint8_t> map(16, 0);
    map[0] = 1;
    map[4] = static_cast<std::uint8_t>(m_setNumber);
    map[5] = static_cast<std::uint8_t>(m_setNumber >> 8);
    StreamHeader(setMap, Format::kSetMapStreamTag, map.size());
    Raw(setMap + kStreamHeaderSize, map);
    PadStream(setMap + kStreamHeaderSize + map.size());
    parts.secondEset = BeginBlock("ESET");
    Put64(parts.secondEset + Format::kEsetDetailSlot, parts.detailHeader / kSlot);
    Put64(parts.secondEset + Format::kEsetSetMapSlot, setMap / kSlot);
    SealBlock(parts.secondEset);
    PadToSlot();
    return Tag("SFMB");
}

// A pad stream from the 4-byte grid after `end` up to the next slot.
void BkfWriter::PadStream(std::size_t end)
{
    const std::size_t header = AlignUp(end, 4);
    const std::size_t data = header + kStreamHeaderSize;
    StreamHeader(header, "SPAD", AlignUp(data, kSlot) - data);
    PadToSlot();
}

void BkfWriter::Date(std::size_t block, std::uint64_t packed)
{
    for (std::size_t k = 0; k < 5; ++k)
        m_bytes[block + kDateAt + k] = static_cast<std::uint8_t>(packed >> (8 * (4 - k)));
}

BkfWriter& BkfWriter::Dated(std::uint64_t packed)
{
    Date(m_lastBlock, packed);
    return SealBlock(m_lastBlock);
}

std::uint64_t BkfWriter::Date(unsigned year, unsigned month, unsigned day, unsigned hour, unsigned minute,
                              unsigned second)
{
    return (std::uint64_t{year} << 26) | (std::uint64_t{month} << 22) | (std::uint64_t{day} << 17)
           | (std::uint64_t{hour} << 12) | (std::uint64_t{minute} << 6) | second;
}

std::uint32_t BkfWriter::XorWords(const std::vector<std::uint8_t>& data)
{
    std::uint32_t sum = 0;
    for (std::size_t k = 0; k < data.size(); ++k)
        sum ^= static_cast<std::uint32_t>(data[k]) << (8 * (k % 4));
    return sum;
}

BkfWriter& BkfWriter::File(const TapeString& name, std::string_view data, const FileOptions& options)
{
    return File(name, std::vector<std::uint8_t>(data.begin(), data.end()), options);
}

BkfWriter& BkfWriter::File(const TapeString& name, const std::vector<std::uint8_t>& data, const FileOptions& options)
{
    const std::size_t block = BeginBlock("FILE");
    m_setEntries.push_back(SetEntry{block, SetEntry::Kind::File, name.units(), data.size()});
    const std::uint32_t directoryId = options.directoryId.value_or(m_directoryId);
    Put16(block + kDirectoryIdAt, static_cast<std::uint16_t>(directoryId));
    Put16(block + kDirectoryIdAt + 2, static_cast<std::uint16_t>(directoryId >> 16));
    const std::size_t nameEnd = options.nameInStream
        ? WriteName(block, kFileNameField, {}, options.name)
        : WriteName(block, kFileNameField, name.units(), options.name);
    m_lastFile = FilePlacement{};
    m_lastFile.block = block;
    std::size_t next = AlignUp(std::max(nameEnd, kFileFixedEnd), 4); // distance of the next stream
    std::optional<std::size_t> firstEvent;
    if (options.withSecurity) {
        firstEvent = next;
        next = SecurityStream(block, next);
    }
    if (options.nameInStream) {
        Put16(block + kAttributesAt + 2, static_cast<std::uint16_t>(kNameInStream >> 16));
        firstEvent = firstEvent.value_or(next);
        next = NameStream(block, next, "FNAM", name.units());
    }
    for (const auto& [tag, length] : options.streamsBefore) {
        StreamHeader(block + next, tag, length);
        firstEvent = firstEvent.value_or(next);
        next = AlignUp(next + kStreamHeaderSize + length, 4);
    }
    if (options.withStan) {
        const std::size_t distance = options.stanAt.value_or(next);
        const std::size_t header = block + distance;
        StreamHeader(header, "STAN", options.streamLength.value_or(data.size()),
                     options.withChecksum ? kChecksumFollows : 0);
        firstEvent = firstEvent.value_or(distance);
        m_lastFile.stanHeader = header;
        m_lastFile.data = header + kStreamHeaderSize;
    } else {
        m_lastFile.data = block + next;
    }
    if (options.withFirstEvent && firstEvent && *firstEvent <= 0xFFFF)
        Put16(block + kFirstEventAt, static_cast<std::uint16_t>(*firstEvent));
    Date(block, options.modified);
    SealBlock(block);
    Raw(m_lastFile.data, data);
    if (options.withChecksum) {
        const std::size_t at = block + AlignUp(m_lastFile.data + data.size() - block, 4);
        StreamHeader(at, "CSUM", 4);
        const std::uint32_t sum = options.checksum.value_or(XorWords(data));
        Put16(at + kStreamHeaderSize, static_cast<std::uint16_t>(sum));
        Put16(at + kStreamHeaderSize + 2, static_cast<std::uint16_t>(sum >> 16));
    }
    PadToSlot();
    return *this;
}

BkfWriter& BkfWriter::SealBlock(std::size_t block)
{
    EnsureSize(block + kHeaderChecksumAt + 2);
    std::uint16_t sum = 0;
    for (std::size_t k = 0; k < kHeaderChecksumAt; k += 2)
        sum ^= static_cast<std::uint16_t>(m_bytes[block + k] | (m_bytes[block + k + 1] << 8));
    return Put16(block + kHeaderChecksumAt, sum);
}

BkfWriter& BkfWriter::StreamHeader(std::size_t at, std::string_view tag, std::uint64_t length,
                                   std::uint16_t mediaAttributes)
{
    EnsureSize(at + kStreamHeaderSize);
    std::fill(m_bytes.begin() + static_cast<std::ptrdiff_t>(at),
              m_bytes.begin() + static_cast<std::ptrdiff_t>(at + kStreamHeaderSize), std::uint8_t{0});
    Raw(at, tag.substr(0, 4));
    Put16(at + kMediaAttributesAt, mediaAttributes);
    Put64(at + kStreamLengthAt, length);
    std::uint16_t sum = 0;
    for (std::size_t k = 0; k < kStreamChecksumAt; k += 2)
        sum ^= static_cast<std::uint16_t>(m_bytes[at + k] | (m_bytes[at + k + 1] << 8));
    return Put16(at + kStreamChecksumAt, sum);
}

BkfWriter& BkfWriter::Tag(std::string_view tag)
{
    SealBlock(BeginBlock(tag));
    return *this;
}

BkfWriter& BkfWriter::ZeroSlots(std::size_t count)
{
    PadToSlot();
    EnsureSize(m_bytes.size() + count * kSlot);
    return *this;
}

BkfWriter& BkfWriter::PadTo(std::size_t size)
{
    EnsureSize(size);
    return *this;
}

BkfWriter& BkfWriter::Raw(std::size_t offset, std::string_view bytes)
{
    EnsureSize(offset + bytes.size());
    std::copy(bytes.begin(), bytes.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    return *this;
}

BkfWriter& BkfWriter::Raw(std::size_t offset, const std::vector<std::uint8_t>& bytes)
{
    EnsureSize(offset + bytes.size());
    std::copy(bytes.begin(), bytes.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    return *this;
}

BkfWriter& BkfWriter::Put16(std::size_t offset, std::uint16_t value)
{
    EnsureSize(offset + 2);
    m_bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    m_bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    return *this;
}

BkfWriter& BkfWriter::Put64(std::size_t offset, std::uint64_t value)
{
    EnsureSize(offset + 8);
    for (std::size_t k = 0; k < 8; ++k)
        m_bytes[offset + k] = static_cast<std::uint8_t>(value >> (8 * k));
    return *this;
}

BkfWriter& BkfWriter::ZeroRange(std::size_t offset, std::size_t length)
{
    const std::size_t end = std::min(m_bytes.size(), offset + length);
    for (std::size_t k = offset; k < end; ++k)
        m_bytes[k] = 0;
    return *this;
}

BkfWriter& BkfWriter::Truncate(std::size_t size)
{
    if (size < m_bytes.size())
        m_bytes.resize(size);
    return *this;
}

BkfWriter& BkfWriter::FlipBytes(std::size_t offset, std::size_t length)
{
    const std::size_t end = std::min(m_bytes.size(), offset + length);
    for (std::size_t k = offset; k < end; ++k)
        m_bytes[k] = static_cast<std::uint8_t>(~m_bytes[k]);
    return *this;
}

BkfWriter& BkfWriter::DropSlot(std::size_t index)
{
    const std::size_t start = index * kSlot;
    if (start >= m_bytes.size())
        return *this;
    const std::size_t end = std::min(m_bytes.size(), start + kSlot);
    m_bytes.erase(m_bytes.begin() + static_cast<std::ptrdiff_t>(start), m_bytes.begin() + static_cast<std::ptrdiff_t>(end));
    return *this;
}

BkfWriter& BkfWriter::InsertBytes(std::size_t offset, std::size_t count, std::uint8_t fill)
{
    EnsureSize(offset);
    m_bytes.insert(m_bytes.begin() + static_cast<std::ptrdiff_t>(offset), count, fill);
    return *this;
}

BkfWriter& BkfWriter::RemoveBytes(std::size_t offset, std::size_t count)
{
    const std::size_t start = std::min(offset, m_bytes.size());
    const std::size_t end = std::min(m_bytes.size(), start + count);
    m_bytes.erase(m_bytes.begin() + static_cast<std::ptrdiff_t>(start), m_bytes.begin() + static_cast<std::ptrdiff_t>(end));
    return *this;
}
