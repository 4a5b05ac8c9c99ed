// SPDX-License-Identifier: GPL-3.0-or-later
// The window and the catalogue cache: a backup scanned once opens again from
// its cache, says so on the report line, and Rescan scans it again.

#include "file_change.h"
#include "save_road.h"
#include "scan_report_line.h"

#include <QCheckBox>

#include <gtest/gtest.h>

#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

using test_files::Pattern;

constexpr std::size_t kMiB = 1u << 20;

// Zeros the backup's bytes between its first and its last MiB, in place and
// with its modification date kept: only its change time tells, and a scan
// no longer finds the files there.
void ZeroMiddleKeepingDate(const QString& path)
{
    const std::string file = path.toStdString();
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    const auto size = static_cast<std::size_t>(before.st_size);
    ASSERT_GT(size, 2 * kMiB);
    ASSERT_TRUE(ChangeKeepingModificationTime(file, kMiB, std::vector<std::uint8_t>(size - 2 * kMiB, 0)));
}

// Opens `backup` afresh: another backup first, since Back and Next on the
// backup under review return to its review without a scan.
bool OpenAfresh(WindowFixture& f, const QString& backup, bool deep = false)
{
    const auto open = [&f](const QString& path) {
        f.Controls().btnBack->click();
        f.TypeAndNext(path);
        return f.WaitForScanEnd();
    };
    f.Controls().chkDeepScan->setChecked(false);
    if (!open(f.WriteFile("other.bkf", SaveBackup(1, 10))))
        return false;
    f.Controls().chkDeepScan->setChecked(deep);
    return open(backup);
}

bool SaysFromCache(WindowFixture& f)
{
    const ScanReportLine& line = f.View().ReportLine();
    return line.isVisible() && line.text().startsWith("Catalogue from the scan of ")
           && line.text().contains("<a href=\"rescan\"") && line.text().contains(">Rescan</a>");
}

} // namespace

// A deep scan's catalogue serves a default scan, not the other way round.
// Rescan scans the backup again, and its catalogue replaces the cached one.
TEST(CatalogueCacheWindow, NextOpensAMatchingCacheWithoutScanningRescanScans)
{
    struct Case {
        bool deepFirst;
        bool deepThen;
        bool fromCache;
    };
    for (const Case& c : {Case{false, false, true}, Case{true, false, true}, Case{false, true, false}}) {
        SCOPED_TRACE(testing::Message() << c.deepFirst << c.deepThen);
        WindowFixture f;
        const QString backup = f.WriteFile("large.bkf", SaveBackup(3, 3 * kMiB / 2));
        const auto open = [&f, &backup](bool deep) { return OpenAfresh(f, backup, deep); };
        ASSERT_TRUE(open(c.deepFirst));
        ASSERT_EQ(f.View().Store().RowCount(), 3u);
        EXPECT_FALSE(SaysFromCache(f));
        ASSERT_TRUE(open(c.deepThen));
        EXPECT_EQ(f.View().Store().RowCount(), 3u);
        EXPECT_EQ(SaysFromCache(f), c.fromCache) << f.View().ReportLine().text().toStdString();
        EXPECT_TRUE(f.messages.shown.empty());
        if (!c.fromCache)
            continue;
        emit f.View().ReportLine().linkActivated("rescan");
        ASSERT_TRUE(f.WaitForScanEnd());
        EXPECT_FALSE(SaysFromCache(f));
        ASSERT_TRUE(open(c.deepThen));
        EXPECT_TRUE(SaysFromCache(f));
        // A backup changed with its modification date put back is scanned
        // again (fault: its old catalogue was shown, and saved wrong bytes).
        ZeroMiddleKeepingDate(backup);
        ASSERT_TRUE(open(c.deepThen));
        EXPECT_LT(f.View().Store().RowCount(), 3u);
        EXPECT_FALSE(SaysFromCache(f));
    }
}

// A file whose stated size runs past the end of the backup is saved up to
// the next block, as bkf-recover saves it, whether its row came from the scan
// or from the cache (fault: the window's rows lost that limit, and the save
// copied the rest of the backup into the file).
TEST(CatalogueCacheWindow, AFileRunningPastTheEndIsSavedUpToTheNextBlock)
{
    BkfWriter w;
    w.Sset("S").File("cut", Pattern(30), FileOptions().StreamLength(1 << 20));
    const std::size_t cutData = w.LastFile().data;
    w.File("next", Pattern(300, 2));
    const std::size_t nextBlock = w.LastFile().block;
    WindowFixture f;
    const QString backup = f.WriteFile("cut.bkf", w.Bytes());
    for (const bool fromCache : {false, true}) {
        ASSERT_TRUE(OpenAfresh(f, backup));
        ASSERT_EQ(SaysFromCache(f), fromCache);
        const TempDir dest;
        f.folderChooser.answers = {QString::fromStdString(dest.Path())};
        f.View().Save().OnSaveFiles();
        const auto cut = test_files::ReadFileBytes(test_files::OnDisk(dest.Child("Recovered BKF"), f.View().Store().Path(0)));
        ASSERT_TRUE(cut.has_value());
        EXPECT_EQ(cut->size(), nextBlock - cutData);
    }
}
