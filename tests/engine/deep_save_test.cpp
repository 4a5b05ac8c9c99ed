// SPDX-License-Identifier: GPL-3.0-or-later
// What a save does with the checksums and dates the scan read: files checked
// against their CSUM streams, and files and folders given their dates.

#include "bkf_writer.h"
#include "catalogue_collector.h"
#include "catalogue_scan.h"
#include "data_checksum.h"
#include "extraction_support.h"
#include "mtf_date.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using namespace extraction_test;

TEST(DeepSaveTest, DatesAtTheEndsOfTheirRanges)
{
    struct Case {
        const char* why;
        std::uint64_t packed;
        std::optional<std::int64_t> seconds;
    };
    using W = BkfWriter;
    const Case cases[] = {
        {"unknown", 0, std::nullopt},
        {"the epoch", W::Date(1970, 1, 1), 0},
        {"2000-01-01", W::Date(2000, 1, 1), 946684800},
        {"the last second of 9999", W::Date(9999, 12, 31, 23, 59, 59), 253402300799},
        {"the first day of 1601", W::Date(1601, 1, 1), -11644473600},
        {"1600", W::Date(1600, 12, 31), std::nullopt},
        {"10000", W::Date(10000, 1, 1), std::nullopt},
        {"month 0", W::Date(2020, 0, 1), std::nullopt},
        {"month 13", W::Date(2020, 13, 1), std::nullopt},
        {"day 0", W::Date(2020, 1, 0), std::nullopt},
        {"29 February of a leap year", W::Date(2024, 2, 29), 1709164800},
        {"29 February of another year", W::Date(2023, 2, 29), std::nullopt},
        {"31 April", W::Date(2023, 4, 31), std::nullopt},
        {"hour 24", W::Date(2020, 1, 1, 24), std::nullopt},
        {"minute 60", W::Date(2020, 1, 1, 0, 60), std::nullopt},
        {"second 60", W::Date(2020, 1, 1, 0, 0, 60), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(MtfDateSeconds(c.packed), c.seconds);
    }
}

TEST(DeepSaveTest, ChecksumOfDataFedInPieces)
{
    const Bytes data = Pattern(1031, 7);
    for (const std::size_t length : {0, 1, 3, 4, 9, 1031}) {
        for (const std::size_t split : {0, 1, 2, 5, 8}) {
            SCOPED_TRACE(std::to_string(length) + " bytes split at " + std::to_string(split));
            const Bytes part(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length));
            const std::size_t at = std::min(split, length);
            DataChecksum checksum;
            checksum.Add(part.data(), at);
            checksum.Add(part.data() + at, length - at);
            EXPECT_EQ(checksum.Value(), BkfWriter::XorWords(part));
        }
    }
}

struct Saved {
    ExtractionReport report;
    std::string root;
    std::vector<RowStatus> statuses; // after the save
};

Saved ScanAndSave(const Bytes& bytes, bool deep, bool restoreTimes, const TempDir& dir)
{
    TempFile file(bytes);
    BkfFileHandle handle;
    EXPECT_TRUE(handle.Open(file.Path()));
    CatalogueStore store;
    ScanReport scan;
    std::atomic<bool> running{true};
    CatalogueCollector collector(store);
    ScanCatalogue(handle, running, collector.Sinks(), scan, ScanOptions{deep});
    store.SetAllTicked(true);
    RecordingProgress progress;
    Saved saved;
    saved.report = ExtractCheckedFiles(handle, store, dir.Path(), "out", running, progress,
                                       ExtractionOptions{restoreTimes});
    saved.root = saved.report.rootFolder;
    MarkSavedRows(saved.report, store);
    for (std::size_t row = 0; row < store.RowCount(); ++row)
        saved.statuses.push_back(store.Row(row).status);
    return saved;
}

TEST(DeepSaveTest, SavedFilesAreCheckedAgainstTheirChecksumStreams)
{
    BkfWriter w;
    w.Sset("S").Dirb({"d"});
    w.File("match.bin", Pattern(70001, 1), FileOptions().Checksum());
    w.File("mismatch.bin", Pattern(5000, 2), FileOptions().Checksum(0x12345678));
    w.File("none.bin", Pattern(100, 3));
    w.File("cut.bin", Pattern(3000, 4), FileOptions().Checksum().StreamLength(1 << 20));
    struct Case {
        bool deep;
        std::size_t verified;
        std::vector<std::string> damaged;
        std::size_t unchecked;
    };
    const Case cases[] = {
        {true, 1, {R"(BKF\BACKUP SET 1(_S)\d\mismatch.bin)"}, 2},
        {false, 1, {R"(BKF\BACKUP SET 1(_S)\d\mismatch.bin)"}, 2}, // every scan reads the checksum
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.deep ? "deep" : "default");
        TempDir dir;
        const Saved saved = ScanAndSave(w.Bytes(), c.deep, false, dir);
        EXPECT_EQ(saved.report.dataVerified, c.verified);
        std::vector<std::string> damaged;
        for (const DamagedFile& file : saved.report.damaged)
            damaged.push_back(file.path);
        EXPECT_EQ(damaged, c.damaged);
        EXPECT_EQ(saved.report.dataUnchecked, c.unchecked);
        // The cut-off file's 3,000 bytes were saved under its name: partly saved.
        EXPECT_EQ(saved.statuses, (std::vector<RowStatus>{RowStatus::Saved, RowStatus::Damaged, RowStatus::Saved,
                                                          RowStatus::PartlySaved}));
    }
}

std::int64_t ModifiedSeconds(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return static_cast<std::int64_t>(info.st_mtime);
}

TEST(DeepSaveTest, SavedFilesAndFoldersGetTheirDates)
{
    const std::uint64_t folderDate = BkfWriter::Date(2001, 2, 3, 4, 5, 6);
    const std::uint64_t fileDate = BkfWriter::Date(2024, 2, 29, 23, 59, 59);
    BkfWriter w;
    w.Sset("S").Dirb({"d"}).Dated(folderDate);
    w.File("dated.txt", "a", FileOptions().Modified(fileDate));
    w.File("unknown.txt", "b");
    w.File("month13.txt", "c", FileOptions().Modified(BkfWriter::Date(2020, 13, 1)));
    for (const bool restore : {false, true}) {
        SCOPED_TRACE(restore ? "restored" : "left as saved");
        TempDir dir;
        const Saved saved = ScanAndSave(w.Bytes(), false, restore, dir);
        const std::string folder = saved.root + "/BKF/BACKUP SET 1(_S)/d";
        const std::int64_t recent = ModifiedSeconds(saved.root) - 3600;
        EXPECT_EQ(ModifiedSeconds(folder) == *MtfDateSeconds(folderDate), restore);
        EXPECT_EQ(ModifiedSeconds(folder + "/dated.txt") == *MtfDateSeconds(fileDate), restore);
        EXPECT_GT(ModifiedSeconds(folder + "/unknown.txt"), recent);
        EXPECT_GT(ModifiedSeconds(folder + "/month13.txt"), recent);
        EXPECT_EQ(saved.report.datesRestored, restore ? 2u : 0u);
        EXPECT_EQ(saved.report.datesUnknown, restore ? 2u : 0u);
    }
}

} // namespace
