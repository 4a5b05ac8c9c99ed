// SPDX-License-Identifier: GPL-3.0-or-later
// The test backups are only as good as the writer that builds them: these
// checks pin down the bytes it lays out, independently of the engine.

#include "bkf_writer.h"
#include "byte_layout.h"
#include "file_contents.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

std::string At(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t length)
{
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                       bytes.begin() + static_cast<std::ptrdiff_t>(offset + length));
}

TEST(BkfWriterTest, Utf16EncodesAstralCharactersAsSurrogatePairs)
{
    EXPECT_EQ(Utf16("a"), (std::vector<std::uint16_t>{0x61}));
    EXPECT_EQ(Utf16("é"), (std::vector<std::uint16_t>{0xE9}));
    EXPECT_EQ(Utf16("日"), (std::vector<std::uint16_t>{0x65E5}));
    EXPECT_EQ(Utf16("😀"), (std::vector<std::uint16_t>{0xD83D, 0xDE00}));
    EXPECT_EQ(Utf16("\xF4\x8F\xBF\xBF"), (std::vector<std::uint16_t>{0xDBFF, 0xDFFF}));
    EXPECT_THROW(Utf16("\xC3"), std::invalid_argument);
}

TEST(BkfWriterTest, BlocksStartOnTheGridInOrder)
{
    BkfWriter w;
    w.Sset("Daily", 7).Volb().Dirb({"WINDOWS", "system32"}).File("a.txt", "hello").Tag("ESET");
    const auto& b = w.Bytes();
    ASSERT_EQ(b.size(), 5 * BkfWriter::kSlot);
    EXPECT_EQ(At(b, 0, 4), "SSET");
    EXPECT_EQ(At(b, 512, 4), "VOLB");
    EXPECT_EQ(At(b, 1024, 4), "DIRB");
    EXPECT_EQ(At(b, 1536, 4), "FILE");
    EXPECT_EQ(At(b, 2048, 4), "ESET");
    EXPECT_EQ(Le16(b, 0x3E), 7);
}

TEST(BkfWriterTest, NameFieldsPointAtUtf16LeNames)
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"WIN"}).Dirb({}).File("😀");
    const auto& b = w.Bytes();
    EXPECT_EQ(Le16(b, 0x40), 10);
    EXPECT_EQ(Le16(b, 0x42), BkfWriter::kDefaultNameOffset);
    EXPECT_EQ(At(b, BkfWriter::kDefaultNameOffset, 10), std::string("D\0a\0i\0l\0y\0", 10));

    EXPECT_EQ(Le16(b, 512 + 0x50), 8); // W I N NUL
    EXPECT_EQ(At(b, 512 + 0x60, 8), std::string("W\0I\0N\0\0\0", 8));
    EXPECT_EQ(Le16(b, 1024 + 0x50), 2); // root: one NUL unit
    EXPECT_EQ(Le16(b, 1536 + 0x54), 4);
    EXPECT_EQ(At(b, 1536 + 0x60, 4), std::string("\x3D\xD8\x00\xDE", 4));
}

TEST(BkfWriterTest, FileWritesStanHeaderAndDataAfterTheName)
{
    BkfWriter w;
    w.Volb().File("a.txt", "hello");
    const auto& b = w.Bytes();
    const FilePlacement& f = w.LastFile();
    EXPECT_EQ(f.block, 512u);
    ASSERT_TRUE(f.stanHeader);
    EXPECT_EQ(*f.stanHeader, 512u + 0x6C); // name 0x60..0x6A, next multiple of 4
    EXPECT_EQ(At(b, *f.stanHeader, 4), "STAN");
    EXPECT_EQ(Le64(b, *f.stanHeader + 8), 5u);
    EXPECT_EQ(f.data, *f.stanHeader + 22);
    EXPECT_EQ(At(b, f.data, 5), "hello");
    EXPECT_EQ(b.size(), 1024u);
}

TEST(BkfWriterTest, FileOptionsMoveAndOverrideFields)
{
    BkfWriter w;
    w.File("a.txt", "xy", FileOptions().NameAt(0x1F0).NameSize(0xFFFF).StanAt(600).StreamLength(5'000'000'000ull));
    const auto& b = w.Bytes();
    EXPECT_EQ(Le16(b, 0x54), 0xFFFF);
    EXPECT_EQ(Le16(b, 0x56), 0x1F0);
    EXPECT_EQ(At(b, 600, 4), "STAN");
    EXPECT_EQ(Le64(b, 608), 5'000'000'000ull);
    EXPECT_EQ(At(b, 622, 2), "xy");
    EXPECT_EQ(b.size(), 1024u);

    BkfWriter bare;
    bare.File("a", "", FileOptions().NoStan().NameFieldOnly().NameAt(0xFFFF).NameSize(0xFFFF));
    EXPECT_EQ(bare.Size(), 512u);
    EXPECT_FALSE(bare.LastFile().stanHeader);
    EXPECT_EQ(std::string(bare.Bytes().begin(), bare.Bytes().end()).find("STAN"), std::string::npos);
}

TEST(BkfWriterTest, DamageHelpersChangeOnlyWhatTheySay)
{
    BkfWriter w;
    w.Tag("TAPE").Tag("SSET").Tag("FILE");
    w.DropSlot(1);
    EXPECT_EQ(At(w.Bytes(), 512, 4), "FILE");
    EXPECT_EQ(w.Size(), 1024u);
    w.FlipBytes(512, 1);
    EXPECT_EQ(w.Bytes()[512], static_cast<std::uint8_t>(~'F'));
    w.ZeroRange(0, 2);
    EXPECT_EQ(At(w.Bytes(), 0, 4), std::string("\0\0PE", 4));
    w.Truncate(700);
    EXPECT_EQ(w.Size(), 700u);
    w.Tag("ESET"); // the next block goes back on the grid
    EXPECT_EQ(w.LastBlock(), 1024u);
}

TEST(BkfWriterTest, TempFileHoldsTheBytesAndIsRemoved)
{
    std::string path;
    {
        BkfWriter w;
        w.File("a.txt", "hello");
        TempFile file(w.Bytes());
        path = file.Path();
        EXPECT_EQ(test_files::ReadFileBytes(path), w.Bytes());
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(path).parent_path()));
}

} // namespace
