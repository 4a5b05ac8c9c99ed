// SPDX-License-Identifier: GPL-3.0-or-later
// FindBlockTag and CopyTapeName: tag recognition and the UTF-16LE to UTF-8
// conversion of name fields, including the damaged forms a backup may hold.

#include "block_format.h"
#include "bkf_writer.h"
#include "name_check.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::uint8_t> Le(const std::vector<std::uint16_t>& units)
{
    std::vector<std::uint8_t> bytes;
    for (std::uint16_t unit : units) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

// The first `count` characters of a UTF-8 text.
std::string FirstChars(const std::string& utf8, std::size_t count)
{
    std::size_t end = 0;
    for (std::size_t seen = 0; end < utf8.size(); ++end) {
        const bool lead = (static_cast<unsigned char>(utf8[end]) & 0xC0) != 0x80;
        if (lead && seen++ == count)
            break;
    }
    return utf8.substr(0, end);
}

TapeName CopyAll(const std::vector<std::uint8_t>& bytes, std::size_t limit = 255)
{
    return CopyTapeName(ByteView(bytes.data(), bytes.size()), 0, bytes.size(), limit);
}

// --- Checksums

// Every byte before a checksum counts, in its own lane: flipping any one of
// them, or the checksum itself, breaks it.
TEST(ChecksumTest, EveryByteOfAHeaderCounts)
{
    BkfWriter writer;
    for (std::size_t at = 0; at < 64; at += 2)
        writer.Put16(at, static_cast<std::uint16_t>(at * 0x9E37 + 0x1234));
    writer.SealBlock(0).StreamHeader(64, "STAN", 12345);
    const std::vector<std::uint8_t> sealed = writer.Bytes();
    const auto holds = [](const std::vector<std::uint8_t>& bytes) {
        return std::make_pair(BlockChecksumHolds(ByteView(bytes.data(), 52)),
                              StreamChecksumHolds(ByteView(bytes.data() + 64, 22)));
    };
    EXPECT_EQ(holds(sealed), std::make_pair(true, true));
    for (std::size_t at = 0; at < 52; ++at) {
        std::vector<std::uint8_t> damaged = sealed;
        damaged[at] ^= 0x40;
        EXPECT_FALSE(holds(damaged).first) << "header byte " << at;
    }
    for (std::size_t at = 64; at < 64 + 22; ++at) {
        std::vector<std::uint8_t> damaged = sealed;
        damaged[at] ^= 0x01;
        EXPECT_FALSE(holds(damaged).second) << "stream header byte " << at;
    }
    EXPECT_FALSE(BlockChecksumHolds(ByteView(sealed.data(), 51))); // too short to hold one
}

// --- FindBlockTag

TEST(FindBlockTagTest, EveryTagOfTheTableGivesItsIndex)
{
    const char* tags[] = {"TAPE", "SFMB", "SSET", "VOLB", "DIRB", "FILE", "ESET", "EOTM", "CFIL", "ESPB",
                          "TSMP", "TFDD", "NACL", "NTQU", "CSUM", "STAN", "SPAD", "FEND", "NTOI"};
    ASSERT_EQ(std::size(tags), static_cast<std::size_t>(BlockFormat::kTagCount));
    for (int index = 0; index < BlockFormat::kTagCount; ++index) {
        SCOPED_TRACE(tags[index]);
        EXPECT_EQ(FindBlockTag(reinterpret_cast<const std::uint8_t*>(tags[index])), index);
        EXPECT_STREQ(BlockFormat::kBlockTags[index], tags[index]);
    }
    EXPECT_EQ(BlockFormat::kSset, 2);
    EXPECT_EQ(BlockFormat::kDirb, 4);
    EXPECT_EQ(BlockFormat::kFile, 5);
}

TEST(FindBlockTagTest, ZeroAndUnknownBytes)
{
    struct Case {
        const char* name;
        std::string bytes;
        int expected;
    };
    const Case cases[] = {
        {"four zero bytes", std::string(4, '\0'), -2},
        {"unknown tag", "ABCD", -1},
        {"lower case", "file", -1},
        {"mixed case", "File", -1},
        {"one byte off", "FILF", -1},
        {"tag with a NUL", std::string("FIL\0", 4), -1},
        {"zero but the last byte", std::string("\0\0\0\x01", 4), -1},
        {"zero but the first byte", std::string("\x01\0\0\0", 4), -1},
        {"high bytes", "\xFF\xFF\xFF\xFF", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindBlockTag(reinterpret_cast<const std::uint8_t*>(c.bytes.data())), c.expected);
    }
}

// --- CopyTapeName: conversion

struct NameCase {
    const char* name;
    std::vector<std::uint16_t> units;
    std::string text;
    std::size_t unitsCopied;
};

TEST(CopyTapeNameTest, DecodesUtf16LeToUtf8)
{
    const NameCase cases[] = {
        {"directory path, NUL units become backslashes", {'W', 'I', 'N', 0}, "\\WIN\\", 4},
        {"root directory: one NUL unit", {0}, "\\", 1},
        {"nested directory", {'W', 'I', 'N', 'D', 'O', 'W', 'S', 0, 's', 'y', 's', 't', 'e', 'm', '3', '2', 0},
         "\\WINDOWS\\system32\\", 17},
        {"file name gets a leading backslash", {'a', '.', 't', 'x', 't'}, "\\a.txt", 5},
        {"first unit NUL: no extra backslash", {0, 'a'}, "\\a", 2},
        {"NUL inside a name", {'a', 0, 'b'}, "\\a\\b", 3},
        {"Latin-1 character", {0xE9}, "\\\xC3\xA9", 1},
        {"U+0141 keeps its high byte", {0x141, '.', 't'}, "\\\xC5\x81.t", 3},
        {"first unit with a zero low byte still gets the prefix", {0x100, 'b'}, "\\\xC4\x80" "b", 2},
        {"Cyrillic", Utf16("Привет.doc"), "\\Привет.doc", 10},
        {"CJK", Utf16("日本語.txt"), "\\日本語.txt", 7},
        {"surrogate pair is one character", {0xD83D, 0xDE00, '.', 'p'}, "\\\xF0\x9F\x98\x80.p", 4},
        {"highest code point", {0xDBFF, 0xDFFF}, "\\\xF4\x8F\xBF\xBF", 2},
        {"BMP characters around the surrogates", {0xD7FF, 0xE000, 0xFFFF}, "\\\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF", 3},
        {"control character passes through", {'a', 0x01}, "\\a\x01", 2},
        {"unpaired high surrogate before a letter", {0xD800, 'a'}, "\\\xED\xA0\x80" "a", 2},
        {"lone low surrogate", {0xDC00}, "\\\xED\xB0\x80", 1},
        {"high surrogate at the end", {'a', 0xD83D}, "\\a\xED\xA0\xBD", 2},
        {"pair in the wrong order", {0xDE00, 0xD83D}, "\\\xED\xB8\x80\xED\xA0\xBD", 2},
        {"high surrogate then a full pair", {0xD83D, 0xD83D, 0xDE00}, "\\\xED\xA0\xBD\xF0\x9F\x98\x80", 3},
        {"high surrogate then NUL", {0xD800, 0}, "\\\xED\xA0\x80\\", 2},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TapeName name = CopyAll(Le(c.units));
        EXPECT_EQ(name.text, c.text);
        EXPECT_EQ(name.units, c.unitsCopied);
    }
}

TEST(CopyTapeNameTest, UnpairedSurrogatesAreLeftForTheNameCheckToRefuse)
{
    for (std::uint16_t unit : {0xD800, 0xDBFF, 0xDC00, 0xDFFF}) {
        SCOPED_TRACE(unit);
        EXPECT_FALSE(IsCleanName(CopyAll(Le({'a', unit, 'b'})).text));
    }
    EXPECT_TRUE(IsCleanName(CopyAll(Le({'a', 0xD83D, 0xDE00, 'b'})).text));
}

// --- CopyTapeName: the character limit, the prefix included

struct LimitCase {
    const char* name;
    std::string utf8; // the name, before repetition
    std::size_t repeat;
    std::size_t limit;
    std::size_t chars; // characters after the prefix
    std::size_t unitsCopied;
};

TEST(CopyTapeNameTest, LimitCountsCharactersNotBytesOrUnits)
{
    const LimitCase cases[] = {
        {"600-byte ASCII name", "a", 300, 255, 254, 254},
        {"two-byte UTF-8", "é", 300, 255, 254, 254},
        {"three-byte UTF-8", "語", 300, 255, 254, 254},
        {"surrogate pairs count once", "😀", 300, 255, 254, 508},
        {"limit just fits", "abc", 1, 4, 3, 3},
        {"limit cuts", "abcdef", 1, 3, 2, 2},
        {"limit cuts between pairs, never inside one", "😀", 5, 3, 2, 4},
        {"limit 1 leaves the lone prefix", "a", 1, 1, 0, 0},
        {"set name: limit is the size in bytes", "Daily", 1, 10, 5, 5},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string body = Repeat(c.utf8, c.repeat);
        const TapeName name = CopyAll(Le(Utf16(body)), c.limit);
        EXPECT_EQ(name.text, "\\" + FirstChars(body, c.chars));
        EXPECT_EQ(Utf8Length(name.text), c.chars + 1);
        EXPECT_EQ(name.units, c.unitsCopied);
    }
}

TEST(CopyTapeNameTest, LimitWithoutPrefixGivesAllCharactersToTheName)
{
    // A name starting with a NUL unit has no prefix: all `limit` characters
    // come from the field.
    std::vector<std::uint16_t> units(300, 'a');
    units[0] = 0;
    const TapeName name = CopyAll(Le(units), 255);
    EXPECT_EQ(name.text, "\\" + std::string(254, 'a'));
    EXPECT_EQ(name.units, 255u);
}

// --- CopyTapeName: bounds

TEST(CopyTapeNameTest, FieldsNotWhollyInsideTheViewReadEmpty)
{
    const std::vector<std::uint8_t> bytes = Le({'a', 'b', 'c', 'd', 'e', 'f', 'g', 'x'}); // 16 bytes
    const ByteView view(bytes.data(), bytes.size());
    struct Case {
        const char* name;
        std::size_t start, end;
        std::string text;
    };
    const std::size_t huge = std::numeric_limits<std::size_t>::max();
    const Case cases[] = {
        {"last unit of the view", 14, 16, "\\x"},
        {"whole view", 0, 16, "\\abcdefgx"},
        {"ends one byte past the view", 14, 17, ""},
        {"starts inside, ends far past", 0, 0x10000, ""},
        {"starts past the view", 20, 24, ""},
        {"starts at the view's end", 16, 18, ""},
        {"empty field", 8, 8, ""},
        {"end before start", 10, 4, ""},
        {"offsets near the top of size_t", huge - 1, huge, ""},
        {"end wraps past size_t", 4, huge, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TapeName name = CopyTapeName(view, c.start, c.end, 255);
        EXPECT_EQ(name.text, c.text);
        if (c.text.empty()) {
            EXPECT_EQ(name.units, 0u);
        }
    }
}

TEST(CopyTapeNameTest, EmptyViewReadsEmpty)
{
    const TapeName name = CopyTapeName(ByteView(), 0, 2, 255);
    EXPECT_EQ(name.text, "");
    EXPECT_EQ(name.units, 0u);
}

TEST(CopyTapeNameTest, NeverReadsOutsideTheView)
{
    // Exactly sized heap copy so that a sanitizer build catches any read past
    // the end; every field position over a 7-byte view, odd ones included.
    const std::vector<std::uint8_t> source = Le({0xD83D, 'a', 0, 0xDE00});
    for (std::size_t size = 0; size <= 7; ++size) {
        std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[size == 0 ? 1 : size]);
        std::copy(source.begin(), source.begin() + static_cast<std::ptrdiff_t>(size), exact.get());
        const ByteView view(exact.get(), size);
        for (std::size_t start = 0; start <= size + 2; ++start) {
            for (std::size_t end = 0; end <= size + 2; ++end) {
                for (std::size_t limit : {1, 2, 3, 255}) {
                    const TapeName name = CopyTapeName(view, start, end, limit);
                    EXPECT_LE(Utf8Length(name.text), limit) << start << ".." << end;
                    if (end > size) {
                        EXPECT_EQ(name.text, "") << start << ".." << end << " of " << size;
                    }
                }
            }
        }
    }
}

} // namespace
