// SPDX-License-Identifier: GPL-3.0-or-later
// Stopping an extraction at once, inside a file: the bytes written so far are
// kept under NAME.partial (never replacing a file of that name), the file is
// reported as stopped, and no later row is touched.

#include "extraction_support.h"
#include "temp_path.h"

#include <gtest/gtest.h>

namespace {

using namespace extraction_test;

class StopInsideRow : public RecordingProgress {
public:
    explicit StopInsideRow(std::size_t row) : m_row(row) {}
    void FileStarted(std::size_t row, std::string_view path) override
    {
        RecordingProgress::FileStarted(row, path);
        m_inRow = row == m_row;
    }
    void BytesCopied(std::uint64_t bytes) override
    {
        RecordingProgress::BytesCopied(bytes);
        m_slices += m_inRow ? 1 : 0;
    }
    bool StopNow() override { return m_slices > 0; }

private:
    std::size_t m_row;
    bool m_inRow = false;
    int m_slices = 0;
};

TEST(ExtractionStopNowTest, FileBeingWrittenIsKeptAsPartialUnderAFreeName)
{
    const Bytes bytes = Pattern(400000, 3);
    TempFile backup(bytes);
    CatalogueStore store;
    Fill(store, {{"BKF\\S\\big.bin.partial", 10, 0},
                 {"BKF\\S\\big.bin", 300000, 20},
                 {"BKF\\S\\after.txt", 5, 7}});
    TempDir dest;
    StopSwitch scanner;
    StopInsideRow progress(1);
    const ExtractionReport report = ExtractInto(backup.Path(), store, dest.Path(), progress, scanner);

    EXPECT_FALSE(report.completed);
    ASSERT_EQ(report.failures.size(), 1u) << ReportText(report);
    const SaveFailure& stopped = report.failures[0];
    EXPECT_EQ(stopped.kind, SaveFailureKind::Stopped);
    EXPECT_EQ(stopped.keptAs, "big.bin.partial1");
    EXPECT_EQ(DescribeFailure(stopped), "stopped after 65536 of 300000 bytes: kept as big.bin.partial1");
    const std::string folder = report.rootFolder + "/BKF/S/";
    EXPECT_EQ(TreeOf(folder), (std::set<std::string>{"big.bin.partial", "big.bin.partial1"}));
    EXPECT_EQ(ReadFileBytes(folder + "big.bin.partial"), Slice(bytes, 0, 10)) << "the earlier file is kept";
    EXPECT_EQ(ReadFileBytes(folder + "big.bin.partial1"), Slice(bytes, 20, 65536));
    EXPECT_EQ(report.filesSaved, 1u);
}

// A name at the file system's length limit has no room for ".partial": it
// is shortened (keeping its extension) rather than left unrenamed, where the
// unfinished file would pass for a whole one.
TEST(ExtractionStopNowTest, NameAtTheLengthLimitIsShortenedToTakeTheSuffix)
{
    const Bytes bytes = Pattern(200000, 4);
    TempFile backup(bytes);
    const std::string name = std::string(251, 'n') + ".bin";
    CatalogueStore store;
    Fill(store, {{"BKF\\S\\" + name, 150000, 0}});
    TempDir dest;
    StopSwitch scanner;
    StopInsideRow progress(0);
    const ExtractionReport report = ExtractInto(backup.Path(), store, dest.Path(), progress, scanner);

    ASSERT_EQ(report.failures.size(), 1u) << ReportText(report);
    const std::string keptAs = report.failures[0].keptAs;
    EXPECT_EQ(keptAs, std::string(251 - 28, 'n') + ".bin.partial") << ReportText(report);
    EXPECT_EQ(TreeOf(report.rootFolder + "/BKF/S"), std::set<std::string>{keptAs});
}

} // namespace
