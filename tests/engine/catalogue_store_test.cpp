// SPDX-License-Identifier: GPL-3.0-or-later
// CatalogueStore holds every found file; paths live in an arena, so the
// checks here are about copies, stability across growth, ticks and Clear.

#include "catalogue_store.h"
#include "bkf_writer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

std::string PathFor(std::size_t i)
{
    // Varying lengths, multi-byte characters and up to 1040 bytes (260
    // four-byte characters), so rows straddle the arena's chunk boundaries.
    switch (i % 4) {
    case 0: return "BKF\\BACKUP SET 0\\f" + std::to_string(i) + ".txt";
    case 1: return "BKF\\BACKUP SET 1(_é)\\" + Repeat("ж", i % 120) + std::to_string(i);
    case 2: return Repeat("😀", 250) + std::to_string(i);
    default: return std::string();
    }
}

TEST(CatalogueStoreTest, AppendReturnsIndexesAndKeepsFields)
{
    CatalogueStore store;
    EXPECT_EQ(store.RowCount(), 0u);
    EXPECT_EQ(store.Append(CatalogueRow{"BKF\\BACKUP SET 0\\a.txt", true, 5, 1590}), 0u);
    EXPECT_EQ(store.Append(CatalogueRow{"BKF\\BACKUP SET 0\\b", false, 0, 0}), 1u);
    EXPECT_EQ(store.Append(CatalogueRow{"big", true, 0xFFFFFFFFFFFFFFFFull, 5'000'000'000ull}), 2u);
    ASSERT_EQ(store.RowCount(), 3u);

    const CatalogueRow a = store.Row(0);
    EXPECT_EQ(a.path, "BKF\\BACKUP SET 0\\a.txt");
    EXPECT_TRUE(a.located);
    EXPECT_EQ(a.size, 5u);
    EXPECT_EQ(a.offset, 1590u);
    EXPECT_FALSE(store.Row(1).located);
    EXPECT_EQ(store.Path(1), "BKF\\BACKUP SET 0\\b");
    EXPECT_EQ(store.Row(2).size, 0xFFFFFFFFFFFFFFFFull);
    EXPECT_EQ(store.Row(2).offset, 5'000'000'000ull);
}

TEST(CatalogueStoreTest, AppendCopiesThePath)
{
    CatalogueStore store;
    std::string path = "BKF\\BACKUP SET 0\\original.txt";
    store.Append(CatalogueRow{path, true, 1, 2});
    path.assign(path.size(), 'X');
    EXPECT_EQ(store.Path(0), "BKF\\BACKUP SET 0\\original.txt");
}

TEST(CatalogueStoreTest, PathsStayValidWhileManyRowsAreAppended)
{
    CatalogueStore store;
    const std::size_t count = 20000; // several MiB of paths
    std::vector<std::string_view> early;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string path = PathFor(i);
        store.Append(CatalogueRow{path, i % 3 == 0, i, i * 512});
        if (i < 100)
            early.push_back(store.Path(i));
    }
    ASSERT_EQ(store.RowCount(), count);
    for (std::size_t i = 0; i < early.size(); ++i)
        EXPECT_EQ(early[i], PathFor(i)) << i;
    for (std::size_t i = 0; i < count; ++i) {
        const CatalogueRow row = store.Row(i);
        ASSERT_EQ(row.path, PathFor(i)) << i;
        ASSERT_EQ(row.located, i % 3 == 0) << i;
        ASSERT_EQ(row.size, i) << i;
        ASSERT_EQ(row.offset, i * 512) << i;
    }
}

TEST(CatalogueStoreTest, RowsStartUntickedAndTickIndividuallyOrAll)
{
    CatalogueStore store;
    for (int i = 0; i < 5; ++i)
        store.Append(CatalogueRow{"p" + std::to_string(i), true, 1, 1});
    EXPECT_EQ(store.TickedCount(), 0u);
    store.SetTicked(1, true);
    store.SetTicked(3, true);
    EXPECT_TRUE(store.IsTicked(1));
    EXPECT_FALSE(store.IsTicked(2));
    EXPECT_EQ(store.TickedCount(), 2u);
    store.SetAllTicked(true);
    EXPECT_EQ(store.TickedCount(), 5u);
    // A row appended after ticked rows starts unticked all the same.
    store.Append(CatalogueRow{"late", false, 0, 0});
    EXPECT_FALSE(store.IsTicked(5));
    EXPECT_EQ(store.TickedCount(), 5u);
    store.SetTicked(4, false);
    EXPECT_EQ(store.TickedCount(), 4u);
    store.SetAllTicked(false);
    EXPECT_EQ(store.TickedCount(), 0u);
}

// The running totals follow every kind of change; an unlocated row counts
// as a file but adds no bytes, and setting a tick twice counts once.
TEST(CatalogueStoreTest, TickTotalsFollowEveryChange)
{
    enum Op { Tick, Untick, TickAll, UntickAll, Append, Clear };
    struct Step {
        Op op;
        std::size_t row; // for Tick and Untick; for Append the size, 0 for an unlocated row
        std::size_t count;
        std::uint64_t bytes;
        std::uint64_t total;
    };
    const Step steps[] = {
        {Append, 100, 0, 0, 100}, {Append, 20, 0, 0, 120}, {Tick, 1, 1, 20, 120}, {Tick, 1, 1, 20, 120},
        {TickAll, 0, 2, 120, 120}, {Append, 3, 2, 120, 123}, {Untick, 0, 1, 20, 123}, {Untick, 0, 1, 20, 123},
        {UntickAll, 0, 0, 0, 123}, {Append, 0, 0, 0, 123}, {TickAll, 0, 4, 123, 123}, {Untick, 3, 3, 123, 123},
        {Clear, 0, 0, 0, 0},
    };
    CatalogueStore store;
    for (const Step& step : steps) {
        switch (step.op) {
        case Tick: store.SetTicked(step.row, true); break;
        case Untick: store.SetTicked(step.row, false); break;
        case TickAll: store.SetAllTicked(true); break;
        case UntickAll: store.SetAllTicked(false); break;
        case Append: store.Append(CatalogueRow{"f", step.row > 0, step.row > 0 ? step.row : 1000, 0}); break;
        case Clear: store.Clear(); break;
        }
        SCOPED_TRACE(&step - steps);
        EXPECT_EQ(store.TickedCount(), step.count);
        EXPECT_EQ(store.TickedBytes(), step.bytes);
        EXPECT_EQ(store.TotalBytes(), step.total);
    }
}

TEST(CatalogueStoreTest, ClearEmptiesAndTheStoreIsReusable)
{
    CatalogueStore store;
    for (std::size_t i = 0; i < 3000; ++i)
        store.Append(CatalogueRow{PathFor(i), true, i, i});
    store.SetAllTicked(true);
    store.Clear();
    EXPECT_EQ(store.RowCount(), 0u);
    EXPECT_EQ(store.TickedCount(), 0u);
    EXPECT_EQ(store.Append(CatalogueRow{"again", true, 7, 8}), 0u);
    EXPECT_EQ(store.Path(0), "again");
    EXPECT_FALSE(store.IsTicked(0));
    EXPECT_EQ(store.Row(0).size, 7u);
}

TEST(CatalogueStoreTest, MemoryStaysCompactPerRow)
{
    CatalogueStore store;
    const std::size_t count = 100000;
    std::size_t pathBytes = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string path = "BKF\\BACKUP SET 1(_Daily)\\Documents\\Project\\file" + std::to_string(i) + ".dat";
        pathBytes += path.size();
        store.Append(CatalogueRow{path, true, i, i});
    }
    EXPECT_GE(store.MemoryBytes(), pathBytes);
    EXPECT_LT(store.MemoryBytes(), count * 200);
}

} // namespace

// One state per row: a read of the data and a save each move it the way a
// user expects, and the text says how much of a cut-off file is there.
TEST(CatalogueStoreTest, StatesFollowDataChecksAndSaves)
{
    struct Case {
        const char* why;
        RowStatus scanned;
        std::optional<bool> intact; // a data check, when one ran
        std::optional<RowStatus> saved;
        std::string detail;
        std::string shown;
    };
    const Case cases[] = {
        {"a match verifies", RowStatus::NotChecked, true, {}, "", "verified"},
        {"a mismatch damages", RowStatus::NotChecked, false, {}, "", "damaged"},
        {"a folder lost stays so when its data match", RowStatus::FolderLost, true, {}, "", "folder lost"},
        {"saved whole", RowStatus::Verified, {}, RowStatus::Saved, "", "saved"},
        {"damaged data stay damaged when saved", RowStatus::NotChecked, false, RowStatus::Saved, "", "damaged"},
        {"a lost checksum is not hidden by a save", RowStatus::ChecksumLost, {}, RowStatus::Saved, "", "checksum lost"},
        {"partly saved", RowStatus::CutShort, {}, RowStatus::PartlySaved, "15.1 KiB of 64.0 KiB",
         "partly saved (15.1 KiB of 64.0 KiB)"},
        {"cut short says what is there", RowStatus::CutShort, {}, {}, "", "cut short (1.0 KiB of 64.0 KiB)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        CatalogueStore store;
        CatalogueRow row;
        row.path = "BKF\\S\\f";
        row.located = true;
        row.size = 65536;
        row.offset = 1024;
        row.dataLimit = 2048;
        row.status = c.scanned;
        store.Append(row);
        if (c.intact)
            store.NoteDataCheck(0, *c.intact);
        if (c.saved)
            store.SetSaveOutcome(0, *c.saved, c.detail);
        EXPECT_EQ(store.StatusText(0), c.shown);
        EXPECT_EQ(store.Row(0).status, store.Status(0));
    }
}
