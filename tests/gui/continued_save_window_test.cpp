// SPDX-License-Identifier: GPL-3.0-or-later
// A save into a destination that holds the output folder of an earlier,
// interrupted save of the same backup: the window asks whether to continue it.

#include "save_road.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

// The earlier save left file0 whole, file1 cut short, file2 not at all.
// Yes goes on in that folder, keeping file0; No, and a folder holding no
// file of this backup, make a new one.
TEST(ContinuedSaveWindow, AsksToContinueAnEarlierSaveOfTheBackup)
{
    struct Case {
        const char* name;
        bool earlierFiles; // the earlier folder holds this backup's files
        int answer;
        const char* root;
        QString status;
    };
    const Case cases[] = {
        {"Yes", true, MessageService::kYes, "Recovered BKF", "2 saved and 1 already there of 3 files, "},
        {"No", true, MessageService::kNo, "Recovered BKF1", "3 of 3 files, "},
        {"another backup's folder", false, MessageService::kYes, "Recovered BKF1", "3 of 3 files, "},
    };
    const std::vector<std::uint8_t> backup = SaveBackup(3, 5000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowFixture f;
        ScanIntoReview(f, backup);
        const TempDir dest;
        const fs::path folder = fs::path(dest.Path()) / "Recovered BKF" / "BKF" / "BACKUP SET 1(_Saved)" / "Data"
                                / "Folder";
        fs::create_directories(folder);
        if (c.earlierFiles) {
            test_files::WriteFileBytes((folder / "file0.dat").string(), test_files::Pattern(5000, 1));
            test_files::WriteFileBytes((folder / "file1.dat").string(), test_files::Pattern(1000, 2));
        }
        // A day old: a file written anew would be of now.
        const fs::file_time_type keptDate = fs::file_time_type::clock::now() - std::chrono::hours(24);
        if (c.earlierFiles)
            fs::last_write_time(folder / "file0.dat", keptDate);
        f.messages.answers = {c.answer};
        f.folderChooser.answers = {QString::fromStdString(dest.Path())};
        f.View().Save().OnSaveFiles();

        const QStringList asked = f.MessageTexts();
        EXPECT_EQ(asked, c.earlierFiles ? QStringList{"Continue the save into Recovered BKF (1 files already there)?"}
                                        : QStringList{});
        const std::string root = dest.Child(c.root);
        EXPECT_TRUE(StatusText(f).startsWith(c.status) && StatusText(f).endsWith(QString::fromStdString(root)))
            << StatusText(f).toStdString();
        const CatalogueStore& store = f.View().Store();
        for (std::size_t row = 0; row < store.RowCount(); ++row) {
            const CatalogueRow entry = store.Row(row);
            EXPECT_EQ(test_files::ReadFileBytes(test_files::OnDisk(root, store.Path(row))),
                      test_files::Slice(backup, entry.offset, entry.size));
        }
        if (c.answer == MessageService::kYes && c.earlierFiles) {
            EXPECT_EQ(fs::last_write_time(folder / "file0.dat"), keptDate) << "kept, not written again";
        }
    }
}
