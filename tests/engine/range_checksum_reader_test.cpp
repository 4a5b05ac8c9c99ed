// SPDX-License-Identifier: GPL-3.0-or-later
// A run read on two threads, in alternate chunks, gives the checksum and the
// unreadable bytes of a plain read from its first byte to its last.

#include "range_checksum_reader.h"

#include "extraction_support.h"
#include "failing_file.h"
#include "temp_path.h"

using namespace extraction_test;

TEST(RangeChecksumReaderTest, TwoThreadsFindWhatOneReadFinds)
{
    constexpr std::uint64_t MiB = 1 << 20;
    const Bytes data = Pattern(10 * MiB, 5);
    TempFile file(data);
    const struct {
        const char* name;
        ByteRange run;
        std::vector<ByteRange> bad; // failing sectors of the backup
    } cases[] = {
        {"empty", {3, 0}, {}},
        {"shorter than a word", {5, 3}, {}},
        {"one thread's share", {7, MiB - 1}, {{512, 512}}},
        {"both threads, odd length", {1, MiB + 5}, {}},
        {"a whole step, bad sectors in both threads' chunks", {2, RangeChecksumReader::kStep},
         {{1024, 512}, {MiB + 4096, 1024}, {2 * MiB - 512, 1024}, {7 * MiB, 512}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FailingFile backup;
        ASSERT_TRUE(backup.Open(file.Path()));
        Bytes expected(data.begin() + c.run.offset, data.begin() + c.run.End());
        std::vector<ByteRange> expectedBad;
        for (const ByteRange& bad : c.bad) {
            backup.FailRange(bad.offset, bad.length);
            std::fill(expected.begin() + (bad.offset - c.run.offset), expected.begin() + (bad.End() - c.run.offset), 0);
            AddRange(expectedBad, bad.offset, bad.length);
        }
        DataChecksum plain;
        plain.Add(expected.data(), expected.size());
        RangeChecksumReader reader(backup);
        for (int round = 0; round < 2; ++round) { // the helper thread serves more than one run
            const RangeChecksumReader::Outcome outcome = reader.Read(c.run);
            EXPECT_EQ(outcome.checksum.Value(), plain.Value());
            ASSERT_EQ(outcome.unreadable.size(), expectedBad.size());
            for (std::size_t i = 0; i < expectedBad.size(); ++i) {
                EXPECT_EQ(outcome.unreadable[i].offset, expectedBad[i].offset);
                EXPECT_EQ(outcome.unreadable[i].length, expectedBad[i].length);
            }
        }
    }
}
