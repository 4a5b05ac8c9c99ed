// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The save road for window tests: a backup scanned into the review, a save
// answered by script, and what the save left on disk. Header-only (Qt).

#include "bkf_writer.h"
#include "file_contents.h"
#include "window_fixture.h"

#include <QStatusBar>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A backup of one set "Saved" with `files` files in "Data\Folder": file k has
// `size` + k patterned bytes.
inline std::vector<std::uint8_t> SaveBackup(int files, std::size_t size)
{
    BkfWriter writer;
    writer.Sset("Saved").Dirb({"Data", "Folder"});
    for (int k = 0; k < files; ++k)
        writer.File("file" + std::to_string(k) + ".dat", test_files::Pattern(size + k, k + 1));
    return writer.Bytes();
}

// A backup with a folder whose name cannot be used: its scan passes it over,
// so the report line shows.
inline std::vector<std::uint8_t> BackupWithReport()
{
    BkfWriter writer;
    writer.Sset("Damaged").Dirb({"bad|name"}).File("a.txt", "a").Dirb({"good"}).File("b.txt", "b");
    return writer.Bytes();
}

// Writes `backup`, scans it through the window and waits for the review.
inline void ScanIntoReview(WindowFixture& f, const std::vector<std::uint8_t>& backup)
{
    f.TypeAndNext(f.WriteFile("save.bkf", backup));
    ASSERT_TRUE(f.WaitForScanEnd());
    ASSERT_EQ(f.View().Page(), 1);
}

// Every ticked row lies byte-exact below `root` at its catalogue path, and
// nothing else is there; returns the number of files checked.
inline std::size_t ExpectSavedExactly(WindowFixture& f, const std::vector<std::uint8_t>& backup,
                                      const std::string& root)
{
    const CatalogueStore& store = f.View().Store();
    std::size_t files = 0;
    for (std::size_t row = 0; row < store.RowCount(); ++row) {
        const std::string path = test_files::OnDisk(root, store.Path(row));
        SCOPED_TRACE(path);
        const auto content = test_files::ReadFileBytes(path);
        if (!store.IsTicked(row)) {
            EXPECT_FALSE(content);
            continue;
        }
        ++files;
        const CatalogueRow entry = store.Row(row);
        EXPECT_TRUE(content && *content == test_files::Slice(backup, entry.offset, entry.size));
    }
    std::size_t onDisk = 0;
    for (const std::string& entry : test_files::TreeOf(root))
        onDisk += entry.back() == '/' ? 0 : 1;
    EXPECT_EQ(onDisk, files);
    return files;
}

inline QString StatusText(WindowFixture& f)
{
    return f.frame.statusBar()->currentMessage();
}
