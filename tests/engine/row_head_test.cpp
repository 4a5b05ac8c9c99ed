// SPDX-License-Identifier: GPL-3.0-or-later
// A look inside a file reads at most what was asked and what the backup
// holds for it; a bad sector costs only itself.

#include "row_head.h"

#include "catalogue_store.h"
#include "data_checksum.h"
#include "failing_file.h"
#include "file_contents.h"
#include "temp_path.h"

#include <gtest/gtest.h>

using namespace test_files;

TEST(RowHeadTest, ReadsAtMostTheLimitAndWhatTheBackupHolds)
{
    const Bytes backupBytes = Pattern(300000, 3);
    TempFile file(backupBytes);
    const std::uint64_t at = 1000;
    DataChecksum whole;
    whole.Add(backupBytes.data() + at, 5000);
    const struct {
        const char* name;
        std::uint64_t size;
        std::uint64_t dataLimit;
        std::uint32_t checksum;
        std::size_t limit;
        std::uint64_t badSector; // 0: none
        std::size_t expectRead;
        bool expectCutShort;
        std::optional<bool> expectHolds;
    } cases[] = {
        {"intact", 5000, UINT64_MAX, whole.Value(), 65536, 0, 5000, false, true},
        {"checksum differs", 5000, UINT64_MAX, whole.Value() ^ 1, 65536, 0, 5000, false, false},
        {"limit honoured", 200000, UINT64_MAX, 0, 65536, 0, 65536, false, std::nullopt},
        {"next block inside", 5000, at + 3000, whole.Value(), 65536, 0, 3000, true, std::nullopt},
        {"backup ends inside", 400000, UINT64_MAX, 0, 1 << 20, 0, 300000 - at, true, std::nullopt},
        {"bad sector", 5000, UINT64_MAX, whole.Value(), 65536, 2048, 5000, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FailingFile backup;
        ASSERT_TRUE(backup.Open(file.Path()));
        if (c.badSector != 0)
            backup.FailRange(c.badSector, 512);
        CatalogueRow row;
        row.located = true;
        row.offset = at;
        row.size = c.size;
        row.dataLimit = c.dataLimit;
        row.checksum = c.checksum;
        const RowHead head = ReadRowHead(backup, row, c.limit);
        ASSERT_EQ(head.bytes.size(), c.expectRead);
        EXPECT_EQ(head.cutShort, c.expectCutShort);
        EXPECT_EQ(head.checksumHolds, c.expectHolds);
        Bytes expected(backupBytes.begin() + at, backupBytes.begin() + static_cast<std::ptrdiff_t>(at + c.expectRead));
        if (c.badSector != 0) {
            std::fill_n(expected.begin() + static_cast<std::ptrdiff_t>(c.badSector - at), 512, 0);
            ASSERT_EQ(head.unreadable.size(), 1u);
            EXPECT_EQ(head.unreadable[0].offset, c.badSector - at);
            EXPECT_EQ(head.unreadable[0].length, 512u);
        } else {
            EXPECT_TRUE(head.unreadable.empty());
        }
        EXPECT_TRUE(head.bytes == expected);
    }
}
