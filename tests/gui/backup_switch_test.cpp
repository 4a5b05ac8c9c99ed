// SPDX-License-Identifier: GPL-3.0-or-later
// Moving between backups: another backup starts with nothing of the previous
// one on screen; Back and Next on the same backup return to its review as it
// was left, and a new scan of it asks before it clears the user's ticks.

#include "catalogue_filter_bar.h"
#include "catalogue_list.h"
#include "catalogue_list_model.h"
#include "file_preview_controller.h"
#include "save_road.h"
#include "scan_report_line.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

const QString kRescanQuestion = "A new scan of this backup clears your ticks and the files' states. Scan it again?";

void Open(WindowFixture& f, const QString& path)
{
    f.Controls().btnBack->click();
    f.TypeAndNext(path);
    ASSERT_TRUE(f.WaitForScanEnd());
}

// What the user did to the review shown: a filter of each kind, a sort, the
// preview, a status text.
void WorkOnTheReview(WindowFixture& f)
{
    const WizardControls& c = f.Controls();
    c.catalogueList->horizontalHeader()->sectionClicked(1);
    f.View().Preview().Preview(0);
    c.filterBar->SizeBox()->setCurrentIndex(1);
    c.filterBar->NotOkBox()->setChecked(true);
    c.filterBar->TextBox()->setText("file1");
    f.frame.ShowStatusText("Saved 3 files to /somewhere");
}

} // namespace

// Fault: backup B opened filtered, sorted and with A's status text.
TEST(BackupSwitch, AnotherBackupStartsClean)
{
    WindowFixture f;
    Open(f, f.WriteFile("a.bkf", SaveBackup(12, 100)));
    WorkOnTheReview(f);
    ASSERT_TRUE(f.View().Preview().IsPaneOpen());
    Open(f, f.WriteFile("b.bkf", SaveBackup(5, 200)));
    const WizardControls& c = f.Controls();
    EXPECT_EQ(f.View().ListModel().rowCount(), 5);
    EXPECT_TRUE(c.filterBar->TextBox()->text().isEmpty());
    EXPECT_FALSE(c.filterBar->NotOkBox()->isChecked());
    EXPECT_EQ(c.filterBar->SizeBox()->currentIndex(), 0);
    EXPECT_EQ(f.View().ListModel().SortColumn(), -1);
    EXPECT_FALSE(c.catalogueList->horizontalHeader()->isSortIndicatorShown());
    EXPECT_FALSE(f.View().Preview().IsPaneOpen());
    EXPECT_TRUE(StatusText(f).isEmpty());
}

// Fault: Back and Next on the same backup scanned it again, dropping every
// tick and every state after a save; Back left the focus where it was.
TEST(BackupSwitch, BackAndNextOnTheSameBackupKeepItsReview)
{
    WindowFixture f;
    const QString path = f.WriteFile("a.bkf", SaveBackup(12, 100));
    Open(f, path);
    f.View().ListModel().SetCatalogueRowTicked(0, false);
    f.Controls().filterBar->TextBox()->setText("file1");
    const int shown = f.View().ListModel().rowCount();
    ASSERT_LT(shown, 12);

    f.Controls().btnBack->click();
    EXPECT_TRUE(f.Controls().editFileName->hasFocus());
    EXPECT_EQ(f.Controls().editFileName->selectedText(), path);
    f.Controls().btnNext->click();
    EXPECT_FALSE(f.View().Session().IsScanUnfinished()) << "no new scan";
    EXPECT_EQ(f.View().Page(), 1);
    EXPECT_FALSE(f.View().Store().IsTicked(0));
    EXPECT_EQ(f.View().ListModel().rowCount(), shown);
    EXPECT_TRUE(f.messages.shown.empty());

    // A new scan asks first; No keeps the review, Yes scans.
    struct Case {
        const char* name;
        std::function<void()> rescan;
    };
    const Case cases[] = {
        {"Rescan", [&] { emit f.View().ReportLine().linkActivated("rescan"); }},
        {"Deep scan", [&] {
             f.Controls().btnBack->click();
             f.Controls().chkDeepScan->setChecked(true);
             f.Controls().btnNext->click();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        f.View().ListModel().SetCatalogueRowTicked(0, false);
        f.messages.shown.clear();
        f.messages.answers = {MessageService::kNo};
        c.rescan();
        EXPECT_FALSE(f.View().Session().IsScanUnfinished());
        EXPECT_EQ(f.MessageTexts(), QStringList{kRescanQuestion});
        EXPECT_FALSE(f.View().Store().IsTicked(0));
        f.messages.answers = {MessageService::kYes};
        c.rescan();
        ASSERT_TRUE(f.WaitForScanEnd());
        EXPECT_EQ(f.View().Page(), 1);
        EXPECT_TRUE(f.View().Store().IsTicked(0)) << "a new scan";
    }
}
