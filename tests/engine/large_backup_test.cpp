// SPDX-License-Identifier: GPL-3.0-or-later
// A backup beyond 4 GiB, as a sparse file that costs no disk: a file whose
// data lie beyond 4 GiB, a file larger than 4 GiB (its data mostly a hole)
// and a file cut short by the end of the backup. Scanned once for the suite.

#include "bkf_writer.h"
#include "extraction_support.h"
#include "file_size_limit.h"
#include "scan_recorder.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <memory>

#include <fcntl.h>
#include <sys/statvfs.h>

namespace {

using namespace extraction_test;

constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
constexpr std::uint64_t k4GiB = 4 * kGiB;
constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
constexpr std::uint64_t kHugeBlock = kMiB;
constexpr std::uint64_t kHugeSize = k4GiB + 300001;
constexpr std::uint64_t kBeyondBlock = k4GiB + 4 * kMiB;
constexpr std::uint64_t kTailBlock = kBeyondBlock + kMiB;
constexpr std::uint64_t kTailLength = 5 * kGiB;
constexpr std::uint64_t kBackupSize = kTailBlock + 4096;
const std::string kDir = "BKF\\BACKUP SET 1(_Big)\\data\\";

struct Piece {
    std::uint64_t at;
    Bytes bytes;
};

// The sparse backup, what was written where, and one scan of it.
struct LargeBackup {
    TempDir dir;
    std::string path = dir.Child("large.bkf");
    std::vector<Piece> pieces;
    std::uint64_t smallData = 0, hugeData = 0, beyondData = 0, tailData = 0;
    Bytes beyond = Pattern(200000, 5);
    ScanResult scan;

    // The backup's bytes at [at, at + length), zeros where nothing was written.
    Bytes BackupBytes(std::uint64_t at, std::uint64_t length) const
    {
        Bytes out(length, 0);
        for (const Piece& piece : pieces) {
            const std::uint64_t begin = std::max(at, piece.at);
            const std::uint64_t end = std::min(at + length, piece.at + piece.bytes.size());
            for (std::uint64_t k = begin; k < end; ++k)
                out[k - at] = piece.bytes[k - piece.at];
        }
        return out;
    }
};

Bytes ReadRange(const std::string& path, std::uint64_t offset, std::size_t length)
{
    Bytes bytes(length);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    const ssize_t got = ::pread(fd, bytes.data(), length, static_cast<off_t>(offset));
    ::close(fd);
    bytes.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
    return bytes;
}

class LargeBackupTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_sizeLimitLift = std::make_unique<FileSizeLimitLift>(); // the sparse backup is beyond 4 GiB
        auto backup = std::make_unique<LargeBackup>();
        BkfWriter head;
        head.Sset("Big").Dirb({"data"}).File("small.txt", "small");
        backup->smallData = head.LastFile().data;
        backup->pieces.push_back({0, head.Bytes()});

        BkfWriter huge;
        huge.File("huge.bin", Pattern(65536, 1), FileOptions().StreamLength(kHugeSize));
        backup->hugeData = kHugeBlock + huge.LastFile().data;
        backup->pieces.push_back({kHugeBlock, huge.Bytes()});
        backup->pieces.push_back({backup->hugeData + 2 * kGiB + 12345, Pattern(100, 4)});
        backup->pieces.push_back({backup->hugeData + k4GiB - 1000, Pattern(3000, 2)});
        backup->pieces.push_back({backup->hugeData + kHugeSize - 65536, Pattern(65536, 3)});

        BkfWriter beyond;
        beyond.File("beyond.bin", backup->beyond);
        backup->beyondData = kBeyondBlock + beyond.LastFile().data;
        backup->pieces.push_back({kBeyondBlock, beyond.Bytes()});

        BkfWriter tail;
        tail.File("tail.bin", Pattern(1000, 6), FileOptions().StreamLength(kTailLength));
        backup->tailData = kTailBlock + tail.LastFile().data;
        backup->pieces.push_back({kTailBlock, tail.Bytes()});

        const int fd = ::open(backup->path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0)
            return;
        bool written = ::ftruncate(fd, static_cast<off_t>(kBackupSize)) == 0;
        for (const Piece& piece : backup->pieces)
            written = written && ::pwrite(fd, piece.bytes.data(), piece.bytes.size(), static_cast<off_t>(piece.at))
                                     == static_cast<ssize_t>(piece.bytes.size());
        written = ::close(fd) == 0 && written;
        if (!written)
            return;
        backup->scan = ScanPath(backup->path);
        s_backup = std::move(backup);
    }
    static void TearDownTestSuite()
    {
        s_backup.reset();
        s_sizeLimitLift.reset();
    }

    void SetUp() override
    {
        if (!s_backup)
            GTEST_SKIP() << "cannot write a sparse backup of " << kBackupSize << " bytes";
    }

    static std::unique_ptr<LargeBackup> s_backup;
    static std::unique_ptr<FileSizeLimitLift> s_sizeLimitLift;
};

std::unique_ptr<LargeBackup> LargeBackupTest::s_backup;
std::unique_ptr<FileSizeLimitLift> LargeBackupTest::s_sizeLimitLift;

TEST_F(LargeBackupTest, ScanListsSizesAndOffsetsBeyond4GiB)
{
    const LargeBackup& b = *s_backup;
    EXPECT_TRUE(b.scan.completed);
    ASSERT_EQ(b.scan.rows.size(), 4u);
    const RecordedRow expected[] = {
        {kDir + "small.txt", true, 5, b.smallData},
        {kDir + "huge.bin", true, kHugeSize, b.hugeData},
        {kDir + "beyond.bin", true, 200000, b.beyondData},
        {kDir + "tail.bin", true, kTailLength, b.tailData},
    };
    for (std::size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(expected[k].path);
        EXPECT_EQ(b.scan.rows[k].path, expected[k].path);
        EXPECT_EQ(b.scan.rows[k].located, expected[k].located);
        EXPECT_EQ(b.scan.rows[k].size, expected[k].size);
        EXPECT_EQ(b.scan.rows[k].offset, expected[k].offset);
    }
    EXPECT_GT(b.scan.rows[2].offset, k4GiB);
    EXPECT_GT(b.scan.rows[1].size, k4GiB);
}

TEST_F(LargeBackupTest, FilesBeyond4GiBAreSavedExactlyAndTheTailIsCutShort)
{
    const LargeBackup& b = *s_backup;
    CatalogueStore store;
    for (const RecordedRow& row : b.scan.rows) {
        const std::size_t at = store.Append(CatalogueRow{row.path, row.located, row.size, row.offset});
        store.SetTicked(at, row.path != kDir + "huge.bin");
    }
    TempDir dest;
    RecordingProgress progress;
    StopSwitch scanner;
    const ExtractionReport report = ExtractInto(b.path, store, dest.Path(), progress, scanner);
    EXPECT_TRUE(report.completed);

    EXPECT_EQ(ReadFileBytes(OnDisk(report.rootFolder, kDir + "small.txt")), (Bytes{'s', 'm', 'a', 'l', 'l'}));
    EXPECT_TRUE(ReadFileBytes(OnDisk(report.rootFolder, kDir + "beyond.bin")) == b.beyond);
    const auto tail = ReadFileBytes(OnDisk(report.rootFolder, kDir + "tail.bin"));
    ASSERT_TRUE(tail);
    EXPECT_EQ(tail->size(), kBackupSize - b.tailData);
    EXPECT_TRUE(*tail == b.BackupBytes(b.tailData, kBackupSize - b.tailData));
    EXPECT_FALSE(fs::exists(OnDisk(report.rootFolder, kDir + "huge.bin")));

    ASSERT_EQ(report.failures.size(), 1u) << ReportText(report);
    EXPECT_EQ(report.failures[0].kind, SaveFailureKind::CutShort);
    EXPECT_EQ(report.failures[0].bytesWritten, kBackupSize - b.tailData);
    EXPECT_EQ(report.failures[0].bytesExpected, kTailLength);
    EXPECT_NE(DescribeFailure(report.failures[0]).find("of 5368709120 bytes"), std::string::npos)
        << DescribeFailure(report.failures[0]);
    EXPECT_EQ(progress.events.at(0).b, 5 + 200000 + kTailLength) << "bytes chosen add up in 64 bits";
}

TEST_F(LargeBackupTest, FileLargerThan4GiBIsSavedWithEveryByteAtItsOffset)
{
    const LargeBackup& b = *s_backup;
    TempDir dest;
    struct statvfs space {};
    ASSERT_EQ(::statvfs(dest.Path().c_str(), &space), 0);
    const std::uint64_t freeBytes = static_cast<std::uint64_t>(space.f_bavail) * space.f_frsize;
    if (freeBytes < 12 * kGiB)
        GTEST_SKIP() << "needs 12 GiB free in " << dest.Path() << ", has " << freeBytes;

    CatalogueStore store;
    Fill(store, {{b.scan.rows[1].path, b.scan.rows[1].size, b.scan.rows[1].offset}});
    RecordingProgress progress;
    std::uint64_t slices = 0, largest = 0;
    progress.onBytes = [&](std::uint64_t bytes) {
        ++slices;
        largest = std::max(largest, bytes);
    };
    StopSwitch scanner;
    const ExtractionReport report = ExtractInto(b.path, store, dest.Path(), progress, scanner);
    const std::string saved = OnDisk(report.rootFolder, kDir + "huge.bin");
    EXPECT_TRUE(report.completed);
    EXPECT_TRUE(report.failures.empty()) << ReportText(report);
    EXPECT_EQ(report.bytesSaved, kHugeSize);
    EXPECT_EQ(fs::file_size(saved), kHugeSize);
    EXPECT_EQ(largest, 65536u) << "one 64 KiB buffer whatever the file size";
    EXPECT_EQ(slices, (kHugeSize + 65535) / 65536);

    struct Range {
        const char* why;
        std::uint64_t at; // in the saved file
        std::size_t length;
    };
    const Range ranges[] = {
        {"first 64 KiB", 0, 65536},
        {"a hole in the middle", kGiB, 65536},
        {"data after 2 GiB", 2 * kGiB + 12000, 1000},
        {"across 4 GiB", k4GiB - 1500, 4000},
        {"across the last slice boundary", kHugeSize - 65536 - 300, 65536},
        {"last 64 KiB", kHugeSize - 65536, 65536},
    };
    for (const Range& range : ranges) {
        SCOPED_TRACE(range.why);
        const Bytes got = ReadRange(saved, range.at, range.length);
        EXPECT_EQ(got.size(), range.length);
        EXPECT_TRUE(got == b.BackupBytes(b.hugeData + range.at, range.length));
    }
    std::error_code ignored;
    fs::remove(saved, ignored); // give the 4 GiB back at once
}

} // namespace
