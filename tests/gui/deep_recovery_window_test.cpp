// SPDX-License-Identifier: GPL-3.0-or-later
// The window's scans and restored dates: a file after bytes inserted into the
// backup is found with "Deep scan" ticked or not (the default scan searches
// off the grid where no block accounts for the bytes), its date is restored,
// and a checksum that does not match is reported by a data check and by the save.

#include "save_road.h"
#include "scan_report_line.h"
#include "temp_path.h"

#include <QCheckBox>

#include <sys/stat.h>

TEST(DeepRecoveryWindow, ScansFindFilesAfterInsertedBytesAndTheSaveRestoresDatesAndReportsDamage)
{
    const std::uint64_t date = BkfWriter::Date(2024, 2, 29, 23, 59, 59);
    BkfWriter w;
    w.Sset("S").Dirb({"d"});
    w.File("before.txt", test_files::Pattern(700, 1));
    const std::size_t damage = w.NextSlot();
    w.File("after.txt", test_files::Pattern(1600000, 2), FileOptions().Modified(date).Checksum(0xBAD));
    w.InsertBytes(damage, 7);
    const std::vector<std::uint8_t> backup = w.Bytes();

    for (const bool deep : {false, true}) {
        SCOPED_TRACE(deep ? "deep scan" : "default scan");
        WindowFixture f;
        f.Controls().chkDeepScan->setChecked(deep);
        ScanIntoReview(f, backup);
        // The default scan searches off the grid where no block accounts for the bytes.
        ASSERT_EQ(f.View().Store().RowCount(), 2u);
        if (!deep)
            continue;
        // Tools > Check data reads the data before any save, and the list says what it found.
        f.View().Save().OnCheckData();
        EXPECT_EQ(f.View().Store().StatusText(1), "damaged");
        ASSERT_EQ(f.messages.shown.size(), 1u);
        EXPECT_TRUE(f.messages.shown[0].text.contains("0 verified, 1 damaged")) << f.messages.shown[0].text.toStdString();
        f.messages.shown.clear();
        // A new user's window restores the recorded dates, as bkf-recover does.
        TempDir dest;
        f.folderChooser.answers = {QString::fromStdString(dest.Path())};
        f.messages.answers = {MessageService::kNo};
        f.View().Save().OnSaveFiles();
        const std::string saved = test_files::OnDisk(dest.Child("Recovered BKF"), f.View().Store().Path(1));
        struct stat info {};
        ASSERT_EQ(::stat(saved.c_str(), &info), 0);
        EXPECT_EQ(info.st_mtime, 1709251199) << "2024-02-29 23:59:59 UTC";
        ASSERT_EQ(f.messages.shown.size(), 1u);
        const QString shown = f.messages.shown[0].text;
        EXPECT_TRUE(shown.contains("; 1 damaged")) << shown.toStdString();
        EXPECT_TRUE(shown.contains("dates: 1 restored")) << shown.toStdString();
        EXPECT_TRUE(shown.contains("after.txt: damaged")) << shown.toStdString();
    }
}
