// SPDX-License-Identifier: GPL-3.0-or-later
#include "block_format.h"

#include "utf8.h"

#include <algorithm>
#include <cstring>

namespace BlockFormat {

const char kBlockTags[kTagCount][5] = {
    "TAPE", "SFMB", "SSET", "VOLB", "DIRB", "FILE", "ESET", "EOTM", "CFIL", "ESPB",
    "TSMP", "TFDD", "NACL", "NTQU", "CSUM", "STAN", "SPAD", "FEND", "NTOI",
};

} // namespace BlockFormat

namespace {

std::uint32_t TagValue(const void* bytes)
{
    std::uint32_t value;
    std::memcpy(&value, bytes, 4);
    return value;
}

// The tags as 32-bit values in the machine's byte order, so that a slot costs
// integer compares instead of string compares, and the set of first letters,
// so that most slots (file data) are refused after one table lookup: the scan
// asks at every 512 bytes.
struct TagTable {
    std::uint32_t values[BlockFormat::kTagCount];
    bool firstLetter[256] = {};
    TagTable()
    {
        for (int index = 0; index < BlockFormat::kTagCount; ++index) {
            values[index] = TagValue(BlockFormat::kBlockTags[index]);
            firstLetter[static_cast<unsigned char>(BlockFormat::kBlockTags[index][0])] = true;
        }
    }
};

const TagTable kTags;

} // namespace

int FindBlockTag(const std::uint8_t* bytes)
{
    const std::uint32_t value = TagValue(bytes);
    if (value == 0)
        return BlockFormat::kZeroTag;
    if (!kTags.firstLetter[bytes[0]])
        return BlockFormat::kUnknownTag;
    for (int index = 0; index < BlockFormat::kTagCount; ++index) {
        if (kTags.values[index] == value)
            return index;
    }
    return BlockFormat::kUnknownTag;
}

namespace {

// Whether the 16-bit word at `checksumAt` (even) equals the XOR of the words
// before it. The scan asks for every block: eight bytes are XORed at a time,
// then folded, which keeps the two byte lanes apart in either byte order.
bool XorChecksumHolds(ByteView bytes, std::size_t checksumAt)
{
    if (!bytes.Contains(0, checksumAt + 2))
        return false;
    const std::uint8_t* data = bytes.data();
    std::uint64_t wide = 0;
    std::size_t at = 0;
    for (; at + 8 <= checksumAt; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + at, 8);
        wide ^= word;
    }
    wide ^= wide >> 32;
    wide ^= wide >> 16;
    auto sum = static_cast<std::uint16_t>(wide);
    for (; at < checksumAt; at += 2) {
        std::uint16_t word;
        std::memcpy(&word, data + at, 2);
        sum = static_cast<std::uint16_t>(sum ^ word);
    }
    std::uint16_t recorded;
    std::memcpy(&recorded, data + checksumAt, 2);
    return sum == recorded;
}

} // namespace

bool BlockChecksumHolds(ByteView header)
{
    return XorChecksumHolds(header, BlockFormat::kHeaderChecksum);
}

bool StreamChecksumHolds(ByteView header)
{
    return XorChecksumHolds(header, BlockFormat::kStreamChecksum);
}

namespace {

std::uint16_t UnitAt(ByteView window, std::size_t start, std::size_t end, std::size_t index)
{
    const std::size_t at = start + 2 * index;
    const std::uint8_t low = window.data()[at];
    // A trailing odd byte stands for a unit of its own; its high byte is not in the field.
    const std::uint8_t high = at + 1 < end ? window.data()[at + 1] : 0;
    return static_cast<std::uint16_t>(low | (high << 8));
}

bool IsHighSurrogate(std::uint16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(std::uint16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

} // namespace

TapeName CopyTapeName(ByteView window, std::size_t start, std::size_t end, std::size_t limit)
{
    TapeName name;
    if (start >= end || !window.Contains(start, end - start))
        return name;

    const std::size_t unitCount = (end - start + 1) / 2;
    name.text.reserve(std::min(unitCount, limit) + 1); // most names are ASCII: one byte a unit
    std::size_t characters = 0;
    if (UnitAt(window, start, end, 0) != 0 && limit > 0) {
        name.text.push_back('\\');
        characters = 1;
    }

    // Most names are ASCII: a run of whole units with a zero high byte is
    // measured, then copied in one go.
    const std::uint8_t* field = window.data() + start;
    const std::size_t asciiLimit = std::min((end - start) / 2, limit - characters);
    std::size_t unit = 0;
    while (unit < asciiLimit && field[2 * unit + 1] == 0 && field[2 * unit] - 1u < 0x7Fu)
        ++unit;
    const std::size_t copied = name.text.size();
    name.text.resize(copied + unit);
    for (std::size_t at = 0; at < unit; ++at)
        name.text[copied + at] = static_cast<char>(field[2 * at]);
    characters += unit;
    while (unit < unitCount && characters < limit) {
        std::uint32_t codePoint = UnitAt(window, start, end, unit);
        std::size_t consumed = 1;
        if (IsHighSurrogate(static_cast<std::uint16_t>(codePoint)) && unit + 1 < unitCount) {
            const std::uint16_t next = UnitAt(window, start, end, unit + 1);
            if (IsLowSurrogate(next)) {
                codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (next - 0xDC00);
                consumed = 2;
            }
        }
        if (codePoint == 0)
            name.text.push_back('\\');
        else if (codePoint < 0x80)
            name.text.push_back(static_cast<char>(codePoint));
        else
            AppendUtf8(name.text, codePoint);
        unit += consumed;
        ++characters;
    }
    name.units = unit;
    return name;
}
