// SPDX-License-Identifier: GPL-3.0-or-later
// IsCleanName decides which names from a backup may enter the catalogue and
// so become paths under the output root; Utf8Length is what the character
// limits count with.

#include "name_check.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct NameCase {
    const char* why;
    std::string text;
};

TEST(IsCleanNameTest, AcceptsOrdinaryNames)
{
    const NameCase cases[] = {
        {"empty", ""},
        {"plain file", "a.txt"},
        {"no extension", "Makefile"},
        {"apostrophe, common in Windows names", "John's file.txt"},
        {"catalogue path", R"(BKF\BACKUP SET 1(_Daily)\WINDOWS\system32\notepad.exe)"},
        {"space and punctuation", "My File (2) [x] {y} ~!@#$%^&+=,;`.txt"},
        {"edges of printable ASCII", std::string(" ~")},
        {"dots that are not . or ..", "...\\a..b\\.hidden\\trailing."},
        {"empty components", "\\\\a\\"},
        {"accented", "café été.txt"},
        {"Polish", "Łódź.doc"},
        {"Cyrillic", "Привет"},
        {"CJK", "日本語"},
        {"emoji", "😀.png"},
        {"first character after the C1 controls", "\xC2\xA0"},
        {"highest code point", "\xF4\x8F\xBF\xBF"},
        {"BMP private use and U+FFFD", "\xEE\x80\x80\xEF\xBF\xBD"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_TRUE(IsCleanName(c.text)) << c.text;
    }
}

TEST(IsCleanNameTest, RefusesForbiddenCharactersAndComponents)
{
    const NameCase cases[] = {
        {"bar", "a|b"},   {"star", "a*b"},       {"colon", "C:x"},      {"question", "a?"},
        {"less", "<a"},   {"greater", "a>"},     {"slash", "a/b"},
        {"lone slash", "/"},
        {"dot", "."},     {"dot dot", ".."},     {"dot component", "a\\.\\b"},
        {"dot dot component", "a\\..\\b"},       {"leading dot dot", "..\\a"},
        {"trailing dot dot", "\\a\\.."},         {"dot between backslashes", "\\.\\"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_FALSE(IsCleanName(c.text)) << c.text;
    }
}

TEST(IsCleanNameTest, RefusesControlCharacters)
{
    for (unsigned code = 0x00; code <= 0x1F; ++code) {
        SCOPED_TRACE(code);
        EXPECT_FALSE(IsCleanName(std::string("a") + static_cast<char>(code) + "b"));
    }
    EXPECT_FALSE(IsCleanName(std::string("\x7F")));
    for (unsigned code = 0x80; code <= 0x9F; ++code) {
        SCOPED_TRACE(code);
        // U+0080..U+009F in UTF-8: C2 80..C2 9F
        const std::string c1 = {'\xC2', static_cast<char>(code)};
        EXPECT_FALSE(IsCleanName("a" + c1));
    }
}

TEST(IsCleanNameTest, RefusesMalformedUtf8)
{
    const NameCase cases[] = {
        {"lone continuation byte", "a\x80"},
        {"truncated two-byte sequence", "a\xC3"},
        {"truncated four-byte sequence", "\xF0\x9F\x98"},
        {"overlong slash", "\xC0\xAF"},
        {"overlong dot dot", "\xC0\xAE\xC0\xAE"},
        {"overlong three-byte", "\xE0\x80\xAF"},
        {"overlong four-byte", "\xF0\x80\x80\xAF"},
        {"unpaired high surrogate", "a\xED\xA0\x80"},
        {"unpaired low surrogate", "\xED\xB0\x80"},
        {"surrogate pair in three-byte forms", "\xED\xA0\xBD\xED\xB8\x80"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80"},
        {"invalid lead F5", "\xF5\x80\x80\x80"},
        {"invalid byte FE", "\xFE"},
        {"invalid byte FF", "\xFF"},
        {"Latin-1 byte on its own", "caf\xE9"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_FALSE(IsCleanName(c.text));
    }
}

TEST(Utf8LengthTest, CountsCodePoints)
{
    struct Case {
        std::string text;
        std::size_t length;
    };
    const Case cases[] = {
        {"", 0}, {"abc", 3}, {"é", 1}, {"日本", 2}, {"😀", 1}, {"a😀é語", 4},
        {R"(BKF\BACKUP SET 0\)", 17},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8Length(c.text), c.length) << c.text;
}

} // namespace
