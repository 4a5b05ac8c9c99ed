// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile input: random bytes, extreme field values, truncation at every
// length and deliberate damage. The scan must end, stay inside its buffers
// (run these under the sanitizers) and report only what the bytes support.

#include "bkf_writer.h"
#include "byte_layout.h"
#include "name_check.h"
#include "scan_recorder.h"
#include "starts_with.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <new>
#include <random>
#include <string>

namespace {

constexpr std::size_t W = BkfWriter::kWindow;

// What any scan of any bytes must satisfy.
void ExpectSaneCatalogue(const std::vector<std::uint8_t>& bytes, const ScanResult& r)
{
    EXPECT_TRUE(r.completed);
    for (const RecordedRow& row : r.rows) {
        ASSERT_TRUE(StartsWith(row.path, "BKF\\BACKUP SET ")) << row;
        EXPECT_LE(Utf8Length(row.path), 1024u) << row;
        EXPECT_TRUE(IsCleanName(row.path)) << row;
        EXPECT_TRUE(r.HasPath(row.path)) << row;
        if (!row.located)
            continue;
        // Size and offset must come from a STAN header actually in the file.
        ASSERT_GE(row.offset, 22u) << row;
        const std::size_t header = static_cast<std::size_t>(row.offset - 22);
        ASSERT_LE(header + 16, bytes.size()) << row;
        EXPECT_EQ(std::string(bytes.begin() + static_cast<std::ptrdiff_t>(header),
                              bytes.begin() + static_cast<std::ptrdiff_t>(header + 4)),
                  "STAN")
            << row;
        EXPECT_EQ(row.size, Le64(bytes, header + 8)) << row;
    }
    for (const std::string& path : r.paths) {
        EXPECT_TRUE(StartsWith(path, "BKF\\BACKUP SET ")) << path;
        EXPECT_LE(Utf8Length(path), 1024u) << path;
        EXPECT_TRUE(IsCleanName(path)) << path;
    }
    for (std::size_t k = 0; k < r.fileCounts.size(); ++k)
        EXPECT_EQ(r.fileCounts[k], k + 1);
    EXPECT_EQ(r.fileCounts.size(), r.LocatedCount());
    ASSERT_EQ(r.windows.size(), bytes.size() / W);
    for (std::size_t k = 0; k < r.windows.size(); ++k)
        EXPECT_EQ(r.windows[k], (WindowReport{(k + 1) * W, bytes.size()}));
}

std::vector<std::uint8_t> RandomBytes(std::mt19937_64& random, std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::uint8_t& byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    return bytes;
}

TEST(CatalogueScanRobustnessTest, RandomBytes)
{
    std::mt19937_64 random(20240601);
    const std::vector<std::uint8_t> bytes = RandomBytes(random, 4 * W * 16 + 777); // a little over 4 MiB
    ExpectSaneCatalogue(bytes, ScanBytes(bytes));
}

// Random bytes with block tags, name fields and STAN headers salted in, so
// that the scan takes its block paths with random field values.
TEST(CatalogueScanRobustnessTest, RandomBlocks)
{
    std::mt19937_64 random(7);
    BkfWriter w;
    w.Raw(0, RandomBytes(random, 3 * 1024 * 1024 + 1300));
    const char* tags[] = {"SSET", "DIRB", "FILE", "FILE"};
    auto field = [&random]() -> std::uint16_t {
        switch (random() % 4) {
        case 0: return 0xFFFF;
        case 1: return static_cast<std::uint16_t>(random());
        default: return static_cast<std::uint16_t>(random() % 700);
        }
    };
    for (std::size_t slot = 0; slot + 512 <= w.Size(); slot += 512) {
        if (random() % 3 == 0)
            continue;
        w.Raw(slot, tags[random() % 4]);
        for (std::size_t at : {0x40, 0x50, 0x54})
            w.Put16(slot + at, field()).Put16(slot + at + 2, field());
        if (random() % 2 == 0)
            w.Raw(slot + 4 + random() % 520, "STAN");
    }
    const ScanResult r = ScanBytes(w.Bytes());
    ExpectSaneCatalogue(w.Bytes(), r);
    EXPECT_FALSE(r.paths.empty()); // the salting reached the block handlers
}

TEST(CatalogueScanRobustnessTest, AllZeros)
{
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{513}, W, W + 512, W + 513, 16 * W + 100}) {
        SCOPED_TRACE(size);
        const std::vector<std::uint8_t> bytes(size, 0);
        const ScanResult r = ScanBytes(bytes);
        ExpectSaneCatalogue(bytes, r);
        EXPECT_TRUE(r.rows.empty());
        EXPECT_TRUE(r.paths.empty());
    }
}

// Name sizes and offsets at 0xFFFF are ordinary input: fields that reach up
// to 128 KiB past their block, past windows and past the end of the file.
TEST(CatalogueScanRobustnessTest, ExtremeNameFields)
{
    struct Case {
        const char* why;
        std::uint16_t size, offset;
    };
    const Case cases[] = {
        {"both 0xFFFF", 0xFFFF, 0xFFFF},
        {"size 0xFFFF", 0xFFFF, 0x60},
        {"offset 0xFFFF", 0x20, 0xFFFF},
        {"odd offset", 0x21, 0xFFF1},
        {"size 0xFFFE at offset 1", 0xFFFE, 1},
    };
    const std::size_t sizes[] = {3 * W + 1536, 2 * W, W + 1000, 5000};
    for (const Case& c : cases) {
        for (std::size_t fileSize : sizes) {
            SCOPED_TRACE(std::string(c.why) + ", file of " + std::to_string(fileSize));
            BkfWriter w;
            const char* tags[] = {"SSET", "DIRB", "FILE"};
            for (std::size_t slot = 0; slot + 512 <= fileSize; slot += 512) {
                const std::size_t at = w.BeginBlock(tags[(slot / 512) % 3]);
                for (std::size_t field : {0x40, 0x50, 0x54})
                    w.Put16(at + field, c.size).Put16(at + field + 2, c.offset);
                w.Raw(at + 0x100, "STAN").Put64(at + 0x108, 0xFFFFFFFFFFFFFFFFull);
            }
            w.PadTo(fileSize).Truncate(fileSize);
            ExpectSaneCatalogue(w.Bytes(), ScanBytes(w.Bytes()));
        }
    }
}

BkfWriter SmallBackup()
{
    BkfWriter w;
    w.Tag("TAPE").Sset("Daily").Volb().Dirb({"docs"}).File("a.txt", "alpha").File("b", Repeat("x", 700));
    w.Dirb({"Données", "日本"}).File("😀.png", "p").File("n.txt", "", FileOptions().NoStan()).Tag("ESET");
    w.Sset("Weekly", 2).File("c.txt", "c").File("d.txt", "d", FileOptions().StanAt(500));
    return w;
}

// Each truncation shows a prefix of the full catalogue: a row either has
// its full-length values, or lacks a location whose header was cut. The file
// is cut shorter step by step in place, longest first.
void ExpectPrefixesAtEveryLength(const std::vector<std::uint8_t>& full, std::size_t from)
{
    const ScanResult whole = ScanBytes(full);
    TempFile file(full);
    std::size_t longerRows = whole.rows.size();
    for (std::size_t size = full.size() + 1; size-- > from;) {
        SCOPED_TRACE(size);
        file.Resize(size);
        const ScanResult r = ScanPath(file.Path());
        const std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
        ExpectSaneCatalogue(cut, r);
        ASSERT_LE(r.rows.size(), longerRows);
        longerRows = r.rows.size();
        for (std::size_t i = 0; i < r.rows.size(); ++i) {
            ASSERT_EQ(r.rows[i].path, whole.rows[i].path);
            if (r.rows[i].located) {
                EXPECT_EQ(r.rows[i].offset, whole.rows[i].offset);
                EXPECT_EQ(r.rows[i].size, whole.rows[i].size);
            }
        }
        if (size == full.size()) {
            EXPECT_EQ(r.rows.size(), whole.rows.size());
        }
    }
}

TEST(CatalogueScanRobustnessTest, EveryTruncationOfASmallBackup)
{
    const BkfWriter w = SmallBackup();
    const ScanResult whole = ScanBytes(w.Bytes());
    ASSERT_EQ(whole.rows.size(), 6u);
    ExpectPrefixesAtEveryLength(w.Bytes(), 0);
}

TEST(CatalogueScanRobustnessTest, EveryTruncationAroundAWindowEdge)
{
    BkfWriter w;
    w.Sset("S").PadTo(W - 1024).File("x.txt", "x", FileOptions().StanAt(508));
    w.File("edge.txt", "", FileOptions().NameAt(0x1FA).StanAt(0x1E0).StreamLength(99));
    w.Dirb({"d"}, NameLayout().At(0x100)).File("y.txt", "y", FileOptions().StanAt(511));
    ExpectPrefixesAtEveryLength(w.Bytes(), W - 1100);
}

TEST(CatalogueScanRobustnessTest, DamageLosesOnlyWhatItHits)
{
    const BkfWriter intact = SmallBackup();
    const std::vector<std::string> all = ScanBytes(intact.Bytes()).RowPaths();
    ASSERT_EQ(all.size(), 6u);
    const std::string daily = R"(BKF\BACKUP SET 1(_Daily)\)";
    struct Case {
        const char* why;
        void (*damage)(BkfWriter&);
        std::vector<std::string> rows;
    };
    // Slots: 0 TAPE, 1 SSET, 2 VOLB, 3 DIRB docs, 4 FILE a, 5-6 FILE b, 7 DIRB, 8 FILE emoji ...
    const Case cases[] = {
        {"tag of FILE a flipped", [](BkfWriter& w) { w.FlipBytes(4 * 512, 1); },
         {all[1], all[2], all[3], all[4], all[5]}},
        {"DIRB docs zeroed: its files go to a lost folder of their own",
         [](BkfWriter& w) { w.ZeroRange(3 * 512, 512); },
         {daily + R"(lost dir0\a.txt)", daily + R"(lost dir0\b)", all[2], all[3], all[4], all[5]}},
        {"SSET Daily dropped: set numbers shift",
         [](BkfWriter& w) { w.DropSlot(1); },
         {R"(BKF\BACKUP SET 0\docs\a.txt)", R"(BKF\BACKUP SET 0\docs\b)", R"(BKF\BACKUP SET 0\Données\日本\😀.png)",
          R"(BKF\BACKUP SET 0\Données\日本\n.txt)", R"(BKF\BACKUP SET 1(_Weekly)\Données\日本\c.txt)",
          R"(BKF\BACKUP SET 1(_Weekly)\Données\日本\d.txt)"}},
        {"name size of FILE a zeroed", [](BkfWriter& w) { w.ZeroRange(4 * 512 + 0x54, 2); },
         {all[1], all[2], all[3], all[4], all[5]}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w = intact;
        c.damage(w);
        const ScanResult r = ScanBytes(w.Bytes());
        ExpectSaneCatalogue(w.Bytes(), r);
        EXPECT_EQ(r.RowPaths(), c.rows);
    }
}

// A failure inside one block (memory running out while a listener takes its
// row) costs that slot only: the scan goes on to the next file and counts it.
TEST(CatalogueScanRobustnessTest, AFailureInsideASlotIsCountedAndTheScanGoesOn)
{
    BkfWriter w;
    w.Sset("S").Dirb({"d"}).File("a.txt", "a").File("b.txt", "b");
    const ScanResult r = ScanBytes(w.Bytes(), [](RecordingSinks& sinks, std::atomic<bool>&) {
        sinks.onRow = [](const RecordedRow& row) {
            if (row.path.find("a.txt") != std::string::npos)
                throw std::bad_alloc();
        };
    });
    EXPECT_TRUE(r.completed);
    EXPECT_TRUE(r.FindRow(R"(BKF\BACKUP SET 1(_S)\d\b.txt)") != nullptr);
    EXPECT_EQ(r.report.abandonedSlots, 1u);
    EXPECT_EQ(ScanReportSummary(r.report), "1 slot abandoned after a failure");
    EXPECT_TRUE(r.report.FilesMayBeMissing());
}

} // namespace
