// SPDX-License-Identifier: GPL-3.0-or-later
// How the scan walks the file: 64 KiB windows, the tail pass over the last
// partial window, fields that cross a window's end, progress and stopping.

#include "bkf_file_handle.h"
#include "bkf_writer.h"
#include "catalogue_scan.h"
#include "scan_recorder.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <random>
#include <string>

namespace {

constexpr std::size_t W = BkfWriter::kWindow;
constexpr std::size_t kLastSlot = W - 512;
const std::string kRoot = R"(BKF\BACKUP SET 0\)";

void ResizeTo(BkfWriter& w, std::size_t size)
{
    if (size > w.Size())
        w.PadTo(size);
    else
        w.Truncate(size);
}

// --- Fields past a window's end are read on in the file; past the file's
// end they read as empty.

TEST(CatalogueScanWindowsTest, FileFieldsCrossingTheWindowEnd)
{
    struct Case {
        const char* why;
        std::size_t block;
        FileOptions options;
        std::size_t fileSize;
        bool row;
        bool located;
    };
    const FileOptions nameAcross = FileOptions().NameAt(0x1FA).StanAt(0x1E0); // name 65530..65540
    const Case cases[] = {
        {"last slot, all inside", kLastSlot, {}, 3 * W, true, true},
        {"last slot of the last window", kLastSlot, {}, W, true, true},
        {"name crosses into the next window", kLastSlot, nameAcross, 3 * W, true, true},
        {"name crosses into the tail", kLastSlot, nameAcross, W + 2048, true, true},
        {"name crosses the end of the file", kLastSlot, nameAcross, W, false, false},
        // The stream header follows the name, past 512 bytes: found through the stream chain.
        {"name wholly in the next window", kLastSlot, FileOptions().NameAt(0x300), 3 * W, true, true},
        {"name far ahead in the next window", kLastSlot, FileOptions().NameAt(0xFF00), 3 * W, true, true},
        {"stream length crosses into the next window", kLastSlot, FileOptions().StanAt(500), 3 * W, true, true},
        {"stream length crosses into the tail", kLastSlot, FileOptions().StanAt(500), W + 2048, true, true},
        {"stream header cut by the end of the file", kLastSlot, FileOptions().StanAt(500), W, true, false},
        {"STAN tag crosses into the next window", kLastSlot, FileOptions().StanAt(510), 3 * W, true, true},
        {"STAN tag crosses into the tail", kLastSlot, FileOptions().StanAt(510), W + 2048, true, true},
        {"STAN tag cut by the end of the file", kLastSlot, FileOptions().StanAt(510), W, true, false},
        {"STAN at the last searched byte", kLastSlot, FileOptions().StanAt(511), 3 * W, true, true},
        {"tail: name in the partial slot", W + 512, FileOptions().NameAt(0x200).StanAt(0x1E0), W + 1124, true, true},
        {"tail: name cut by the end of the file", W + 512, FileOptions().NameAt(0x200).StanAt(0x1E0), W + 1029,
         false, false},
        {"tail: STAN in the partial slot", W + 512, FileOptions().StanAt(510), W + 1100, true, true},
        {"tail: STAN header cut by the end of the file", W + 512, FileOptions().StanAt(510), W + 1030, true, false},
    };
    // Distinct bytes, so a length pieced together wrongly across the edge shows.
    const std::uint64_t length = 0x0807060504030201ull;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FileOptions options = c.options;
        options.StreamLength(length);
        BkfWriter w;
        w.PadTo(c.block).File("f.txt", "", options);
        const FilePlacement placed = w.LastFile();
        ASSERT_EQ(placed.block, c.block);
        ResizeTo(w, c.fileSize);
        const ScanResult r = ScanBytes(w.Bytes());
        EXPECT_TRUE(r.completed);
        ASSERT_EQ(r.rows.size(), c.row ? 1u : 0u);
        if (!c.row)
            continue;
        EXPECT_EQ(r.rows[0].path, kRoot + "f.txt");
        EXPECT_EQ(r.rows[0].located, c.located);
        if (c.located) {
            EXPECT_EQ(r.rows[0].offset, placed.data);
            EXPECT_EQ(r.rows[0].size, length);
        }
    }
}

TEST(CatalogueScanWindowsTest, SetAndDirectoryNamesCrossingTheWindowEnd)
{
    BkfWriter w;
    w.PadTo(kLastSlot - 512).Sset("Weekly", 1, NameLayout().At(0x3F8)); // name W-8 .. W+4
    w.PadTo(2 * W - 512).Dirb({"docs"}, NameLayout().At(0x1F8));       // name 2W-8 .. 2W+2
    w.File("f.txt", "x");
    w.PadTo(3 * W);
    const ScanResult r = ScanBytes(w.Bytes());
    EXPECT_EQ(r.paths, (std::vector<std::string>{R"(BKF\BACKUP SET 1(_Weekly)\docs\)",
                                                R"(BKF\BACKUP SET 1(_Weekly)\docs\f.txt)"}));
    EXPECT_EQ(r.RowPaths(), std::vector<std::string>{R"(BKF\BACKUP SET 1(_Weekly)\docs\f.txt)"});
}

// --- Which slots are examined at all.

TEST(CatalogueScanWindowsTest, ExaminedSlotsDependOnTheFileSize)
{
    struct Case {
        const char* why;
        std::size_t fileSize;
        std::vector<std::size_t> blocks;
        std::vector<std::size_t> found;
    };
    const Case cases[] = {
        {"512 bytes: one slot", 512, {0}, {0}},
        {"513 bytes: slot 0", 513, {0}, {0}},
        {"1000 bytes: the last, partial slot too", 1000, {0, 512}, {0, 512}},
        {"2048 bytes: four slots", 2048, {0, 512, 1024, 1536}, {0, 512, 1024, 1536}},
        {"one window", W, {0, kLastSlot}, {0, kLastSlot}},
        {"one window and 512 bytes", W + 512, {kLastSlot, W}, {kLastSlot, W}},
        {"one window and 1000 bytes", W + 1000, {W, W + 512}, {W, W + 512}},
        {"one window and 1024 bytes", W + 1024, {W, W + 512}, {W, W + 512}},
        {"two windows", 2 * W, {W - 512, 2 * W - 512}, {W - 512, 2 * W - 512}},
        {"three windows and a tail", 3 * W + 4096, {W, 3 * W + 3584}, {W, 3 * W + 3584}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w;
        for (std::size_t block : c.blocks)
            w.PadTo(block).File("at" + std::to_string(block), "x");
        ResizeTo(w, c.fileSize);
        const ScanResult r = ScanBytes(w.Bytes());
        EXPECT_TRUE(r.completed);
        std::vector<std::string> expected;
        for (std::size_t block : c.found)
            expected.push_back(kRoot + "at" + std::to_string(block));
        EXPECT_EQ(r.RowPaths(), expected);
    }
}

// A backup of less than one slot is examined too: a whole small file there is listed.
TEST(CatalogueScanWindowsTest, TinyFilesAreExamined)
{
    BkfWriter full;
    full.File("a.txt", "x");
    for (std::size_t size : {0, 1, 4, 100, 200, 511, 512}) {
        SCOPED_TRACE(size);
        BkfWriter w = full;
        w.Truncate(size);
        const ScanResult r = ScanBytes(w.Bytes());
        EXPECT_TRUE(r.completed);
        EXPECT_EQ(r.rows.size(), size >= 200 ? 1u : 0u);
        EXPECT_TRUE(r.windows.empty());
    }
}

// --- Progress

TEST(CatalogueScanWindowsTest, ProgressFollowsEveryWholeWindowOnly)
{
    struct Case {
        std::size_t fileSize;
        std::vector<WindowReport> windows;
    };
    const std::size_t S = 3 * W + 1000;
    const Case cases[] = {
        {1000, {}},
        {W, {{W, W}}},
        {W + 512, {{W, W + 512}}},
        {2 * W, {{W, 2 * W}, {2 * W, 2 * W}}},
        {S, {{W, S}, {2 * W, S}, {3 * W, S}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileSize);
        BkfWriter w;
        w.PadTo(c.fileSize);
        const ScanResult r = ScanBytes(w.Bytes());
        EXPECT_TRUE(r.completed);
        EXPECT_EQ(r.windows, c.windows);
    }
}

TEST(CatalogueScanWindowsTest, ProgressPercent)
{
    struct Case {
        std::uint64_t position, size;
        int percent;
    };
    const Case cases[] = {
        {0, 100, 0},         {1, 3, 33},          {2, 3, 66},          {65536, 196608, 33},
        {131072, 131072, 100}, {5'000'000'000ull, 10'000'000'000ull, 50},
        {65536, 10'000'000'000'000ull, 0},        {(1ull << 40) - 1, 1ull << 40, 99},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressPercent(c.position, c.size), c.percent) << c.position << " of " << c.size;
}

// --- Stopping

TEST(CatalogueScanWindowsTest, ClearedFlagBeforeTheStartScansNothing)
{
    BkfWriter w;
    w.File("a.txt", "x").File("b.txt", "y").PadTo(2 * W + 1024);
    const ScanResult r = ScanBytes(w.Bytes(), [](RecordingSinks&, std::atomic<bool>& running) { running = false; });
    EXPECT_FALSE(r.completed);
    EXPECT_TRUE(r.rows.empty());
    EXPECT_TRUE(r.windows.empty());
}

TEST(CatalogueScanWindowsTest, StopTakesEffectAtTheNextSlotAndKeepsWhatWasFound)
{
    struct Case {
        const char* why;
        std::size_t fileSize; // files in slots 0, 1, 2
    };
    const Case cases[] = {{"in the tail pass", 2048}, {"in a whole window", 2 * W}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w;
        w.File("a.txt", "1").File("b.txt", "2").File("c.txt", "3").PadTo(c.fileSize);
        const ScanResult r = ScanBytes(w.Bytes(), [](RecordingSinks& sinks, std::atomic<bool>& running) {
            sinks.onRow = [&running](const RecordedRow&) { running = false; };
        });
        EXPECT_FALSE(r.completed);
        EXPECT_EQ(r.RowPaths(), std::vector<std::string>{kRoot + "a.txt"});
        EXPECT_TRUE(r.windows.empty());
    }
}

TEST(CatalogueScanWindowsTest, StopBetweenWindows)
{
    BkfWriter w;
    for (std::size_t window = 0; window < 3; ++window)
        w.PadTo(window * W + 2048).File("w" + std::to_string(window), "x");
    w.PadTo(3 * W + 2048).File("tail", "x");
    const ScanResult r = ScanBytes(w.Bytes(), [](RecordingSinks& sinks, std::atomic<bool>& running) {
        sinks.onWindow = [&running](const WindowReport&) { running = false; };
    });
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(r.RowPaths(), std::vector<std::string>{kRoot + "w0"});
    EXPECT_EQ(r.windows.size(), 1u);
}

} // namespace

// --- Data that a block covers are not read when the backup goes on after
// them; when it does not, every byte is read and the blocks inside are found.

class CountingFile : public BkfFileHandle {
public:
    std::optional<std::size_t> ReadAt(std::uint64_t position, void* buffer, std::size_t length) const override
    {
        const auto got = BkfFileHandle::ReadAt(position, buffer, length);
        m_read += got.value_or(0);
        return got;
    }
    mutable std::uint64_t m_read = 0;
};

TEST(CatalogueScanWindowsTest, CoveredDataAreNotReadUnlessTheBackupBreaksAfterThem)
{
    struct Case {
        const char* why;
        std::size_t lost; // bytes removed from the middle of the first file's data
        bool readsLittle;
    };
    const Case cases[] = {{"intact", 0, true}, {"512 bytes lost inside the data", 512, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BkfWriter w;
        w.Sset("S").Dirb({"d"}).File("big1.bin", std::string(8 * W, 'x'));
        const std::size_t middle = w.LastFile().data + 4 * W;
        w.File("big2.bin", std::string(8 * W, 'y')).File("small.txt", "z");
        if (c.lost > 0)
            w.RemoveBytes(middle, c.lost);
        TempFile backup(w.Bytes());
        CountingFile file;
        ASSERT_TRUE(file.Open(backup.Path()));
        const ScanResult r = ScanHandle(file);
        EXPECT_EQ(r.RowPaths().size(), 3u) << "the blocks after the lost bytes are found on the grid";
        EXPECT_EQ(file.m_read < w.Size() / 4, c.readsLittle) << file.m_read << " of " << w.Size();
    }
}

// Small files' data are jumped over too, a few KiB read per file: the rows
// found are those a scan of every byte finds, with files of every size
// around the reads' sizes and blocks whose headers outgrow a small read.
TEST(CatalogueScanWindowsTest, JumpingOverSmallFilesFindsWhatReadingEveryByteFinds)
{
    BkfWriter w;
    w.Sset("S").Dirb({"d"});
    std::mt19937 random(18);
    for (int k = 0; k < 400; ++k) {
        FileOptions options;
        if (k % 97 == 5)
            options.streamsBefore = {{"NACL", 1500 + 700 * static_cast<std::size_t>(k % 4)}};
        w.File("f" + std::to_string(k), std::string(random() % 40000, 'x'), options.Checksum());
        if (k % 150 == 149)
            w.Dirb({"d" + std::to_string(k)});
    }
    TempFile backup(w.Bytes());
    CountingFile file;
    ASSERT_TRUE(file.Open(backup.Path()));
    ScanOptions everyByte;
    everyByte.countCoveredTags = true;
    const ScanResult all = ScanHandle(file, {}, everyByte);
    file.m_read = 0;
    const ScanResult jumping = ScanHandle(file);
    ASSERT_EQ(jumping.rows.size(), 400u);
    EXPECT_EQ(jumping.events, all.events);
    for (std::size_t k = 0; k < all.rows.size(); ++k) {
        EXPECT_EQ(jumping.rows[k].offset, all.rows[k].offset) << all.rows[k];
        EXPECT_EQ(jumping.rows[k].size, all.rows[k].size) << all.rows[k];
        EXPECT_TRUE(IsOkStatus(jumping.rows[k].status)) << all.rows[k];
    }
    EXPECT_LT(file.m_read, w.Size() / 4) << "of " << w.Size();
}

// A scan only reads the backup: not even its access time changes.
TEST(CatalogueScanWindowsTest, AScanLeavesTheAccessTimeAlone)
{
    BkfWriter w;
    w.Sset("S").Dirb({"d"}).File("a.txt", "a");
    TempFile backup(w.Bytes());
    const timespec times[2] = {{86400, 0}, {0, UTIME_OMIT}}; // read long ago
    ASSERT_EQ(::utimensat(AT_FDCWD, backup.Path().c_str(), times, 0), 0);
    EXPECT_EQ(ScanPath(backup.Path()).rows.size(), 1u);
    struct stat info {};
    ASSERT_EQ(::stat(backup.Path().c_str(), &info), 0);
    EXPECT_EQ(info.st_atim.tv_sec, 86400);
}
