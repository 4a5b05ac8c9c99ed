// SPDX-License-Identifier: GPL-3.0-or-later
// The scan road from the window's side: a path typed or chosen, Next, the
// scan on the results page, Stop and Back with their question, the ways a
// backup can fail to give anything, and the end state the user reviews.

#include "bkf_writer.h"
#include "catalogue_list_model.h"
#include "folder_tree_model.h"
#include "gradient_static.h"
#include "hover_button.h"
#include "main_frame.h"
#include "scan_report_line.h"
#include "save_road.h"
#include "settled_value.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QProgressBar>
#include <QUrl>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <utility>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QString kDoneHelp = "Please press Save Files button from toolbar or press Next button to save repaired file(s) ";
const QString kBackHelp =
    "1.\tselect file for repair from browse Button or from Add File button from toolbar \n2.\tPress Next button";
const QString kStopQuestion = "Do you want to stop repairing process?";

// A backup of one set named `set` with `dirs` folders of `files` files each.
std::vector<std::uint8_t> SampleBackup(const std::string& set, int dirs, int files)
{
    BkfWriter writer;
    writer.Sset(set);
    for (int dir = 0; dir < dirs; ++dir) {
        writer.Dirb({"Data", "Folder " + std::to_string(dir)});
        for (int file = 0; file < files; ++file)
            writer.File("file" + std::to_string(file) + ".txt", std::string(200 + file, 'x'));
    }
    return writer.Bytes();
}

QString TopSetName(FolderTreeModel& tree)
{
    const FolderNode* root = tree.TopLevelNode(0);
    return root->ChildCount() == 1 ? tree.index(0, 0, tree.IndexOf(root)).data().toString() : QString();
}

// The results page after a scan that found `rows` files: everything ticked,
// the instruction to save, no scan controls left.
void ExpectReview(WindowFixture& f, int rows)
{
    EXPECT_EQ(f.View().Page(), 1);
    EXPECT_EQ(f.View().ListModel().rowCount(), rows);
    EXPECT_EQ(f.View().Store().TickedCount(), static_cast<std::size_t>(rows));
    EXPECT_FALSE(f.View().Session().IsScanRunning());
    EXPECT_FALSE(f.frame.Progress().isVisible());
    EXPECT_FALSE(f.frame.FileCountLabel().isVisible());
    EXPECT_TRUE(f.Controls().folderTree->isVisible());
    EXPECT_TRUE(f.Controls().btnBack->isVisible());
    EXPECT_FALSE(f.Controls().editFileName->isVisible());
    EXPECT_EQ(f.Controls().lblHelpTop->Text(), kDoneHelp);
    ASSERT_EQ(f.View().TreeModel().TopLevelCount(), 1u);
    EXPECT_EQ(f.View().TreeModel().GetCheckState(f.View().TreeModel().TopLevelNode(0)), CheckState::Checked);
}

} // namespace

TEST(WizardScan, StartsOnTheFilePage)
{
    WindowFixture f;
    EXPECT_EQ(f.View().Page(), 0);
    for (QWidget* shown : std::initializer_list<QWidget*>{f.Controls().lblHelpTop, f.Controls().lblSelectHint,
                                                          f.Controls().editFileName, f.Controls().btnBrowse,
                                                          f.Controls().btnNext})
        EXPECT_TRUE(shown->isVisible());
    for (QWidget* hidden : std::initializer_list<QWidget*>{f.Controls().btnBack, f.Controls().btnStop,
                                                           f.Controls().folderTree, f.Controls().catalogueList})
        EXPECT_FALSE(hidden->isVisible());
    EXPECT_EQ(f.Controls().lblHelpTop->Text(),
              "1.\tselect file for repair from Browse button or from Add File button from toolbar \n"
              "2.\tPress Next button");
    EXPECT_EQ(f.Controls().editFileName->font().family(), "Times New Roman");
}

TEST(WizardScan, TypedPathAndNextEndInTheReviewedCatalogue)
{
    WindowFixture f;
    const QString path = f.WriteFile("typed.bkf", SampleBackup("Typed", 3, 5));
    QTest::mouseClick(f.Controls().btnNext, Qt::LeftButton);
    ASSERT_EQ(f.chooser.asked, 1) << "an empty box opens the chooser instead";
    f.TypeAndNext(path);
    EXPECT_TRUE(f.View().Session().IsScanRunning());
    EXPECT_TRUE(f.frame.Progress().isVisible());
    EXPECT_TRUE(f.Controls().folderTree->IsScanRunning()) << "the tree refuses ticks during the scan";
    ASSERT_TRUE(f.WaitForScanEnd());
    EXPECT_FALSE(f.Controls().folderTree->IsScanRunning());

    ExpectReview(f, 15);
    EXPECT_EQ(f.View().Session().BackupPath(), path);
    EXPECT_EQ(TopSetName(f.View().TreeModel()), "BACKUP SET 1(_Typed)");
    EXPECT_TRUE(f.messages.shown.empty());
    EXPECT_FALSE(f.View().ReportLine().isVisible()) << "nothing was lost: no report";
}

// Backups that give nothing: each ends on the file page with its message.
TEST(WizardScan, NothingToScanReturnsToTheFilePage)
{
    struct Case {
        const char* name;
        int kind; // 0 missing, 1 empty file, 2 folder
        const char* message;
        int style;
    };
    const Case cases[] = {
        {"missing file", 0, "Invalid File Name", MessageService::kNotice},
        {"empty file", 1, "No data found in backup file", MessageService::kInform},
        {"folder", 2, "Some Error occoured while opening file. Make sure that file is not shared",
         MessageService::kInform},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowFixture f;
        QString path = QString::fromStdString(f.dir.Child("absent.bkf"));
        if (c.kind == 1)
            path = f.WriteFile("empty.bkf", {});
        if (c.kind == 2)
            path = QString::fromStdString(f.dir.Path());
        f.TypeAndNext(path);
        ASSERT_TRUE(f.WaitForScanEnd());
        ASSERT_EQ(f.messages.shown.size(), 1u);
        EXPECT_EQ(f.messages.shown[0].text, c.message);
        EXPECT_EQ(f.messages.shown[0].style, c.style);
        EXPECT_EQ(f.View().Page(), 0);
        EXPECT_TRUE(f.Controls().editFileName->isVisible());
        EXPECT_FALSE(f.View().Session().IsScanRunning());
        EXPECT_FALSE(f.frame.Progress().isVisible());
        EXPECT_EQ(f.View().ListModel().rowCount(), 0);
    }
}

TEST(WizardScan, ChooserTakesOnlyBkfFilesInAnyCase)
{
    WindowFixture f;
    f.chooser.answers = {"/data/notes.txt", "/data/OLD.BKF", ""};
    f.Controls().btnBrowse->click();
    EXPECT_TRUE(f.Controls().editFileName->text().isEmpty());
    f.Controls().btnBrowse->click();
    EXPECT_EQ(f.Controls().editFileName->text(), "/data/OLD.BKF");
    f.Controls().btnBrowse->click(); // cancelled
    EXPECT_EQ(f.Controls().editFileName->text(), "/data/OLD.BKF");
}

// Stop and Back during a scan, answered Yes and No. The click comes while
// the first rows are being shown, so the scan is surely running.
TEST(WizardScan, StopAndBackAskFirst)
{
    struct Case {
        const char* name;
        bool back;
        int answer;
    };
    const Case cases[] = {
        {"Stop, No", false, MessageService::kNo},
        {"Stop, Yes", false, MessageService::kYes},
        {"Back, No", true, MessageService::kNo},
        {"Back, Yes", true, MessageService::kYes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowFixture f;
        const QString path = f.WriteFile("big.bkf", SampleBackup("Big", 40, 50));
        bool clicked = false;
        QObject::connect(&f.View().ListModel(), &QAbstractItemModel::rowsInserted, &f.frame, [&] {
            if (clicked)
                return;
            clicked = true;
            f.messages.answers = {c.answer};
            if (c.back)
                f.Controls().btnBack->click();
            else
                f.Controls().btnStop->click();
            // Back answered Yes leaves at once, while the worker still ends.
            EXPECT_EQ(f.View().Page(), c.back && c.answer == MessageService::kYes ? 0 : 1);
            EXPECT_EQ(f.View().Session().IsScanRunning(), c.answer == MessageService::kNo);
        });
        f.TypeAndNext(path);
        ASSERT_TRUE(f.WaitForScanEnd());
        ASSERT_TRUE(clicked);
        EXPECT_EQ(f.MessageTexts(), QStringList{kStopQuestion});
        if (c.answer == MessageService::kNo) {
            ExpectReview(f, 2000); // the scan went on to the end
        } else if (!c.back) {
            ExpectReview(f, f.View().ListModel().rowCount()); // what was found so far, ticked
            EXPECT_GT(f.View().ListModel().rowCount(), 0);
        } else {
            EXPECT_EQ(f.View().Page(), 0);
            EXPECT_TRUE(f.Controls().editFileName->isVisible());
            EXPECT_FALSE(f.Controls().folderTree->isVisible());
            // Fault: the worker's end steps wrote "...press Next button to save" over the
            // return text, where Next starts a new scan. The file page keeps its own.
            EXPECT_EQ(f.Controls().lblHelpTop->Text(), kBackHelp);
        }
    }
}

// Fault: the scan went on behind its stop question. Held there, it finds
// nothing more until the answer; No lets it run to the end.
TEST(WizardScan, TheStopQuestionHoldsTheScan)
{
    WindowFixture f;
    // Files enough that the scan cannot end before the window clicks Stop,
    // however busy the machine (with 2,000 it sometimes did).
    const QString path = f.WriteFile("big.bkf", SampleBackup("Held", 40, 500));
    std::uint64_t heldAt = 0;
    bool clicked = false;
    // Stop is clicked once the first rows are shown, outside their batch
    // (while a batch is applied, the worker waits for it anyway).
    QObject::connect(&f.View().ListModel(), &QAbstractItemModel::rowsInserted, &f.frame, [&] {
        if (std::exchange(clicked, true))
            return;
        QTimer::singleShot(0, &f.frame, [&] {
            f.messages.answers = {MessageService::kNo};
            f.messages.whileOpen = [&] {
                heldAt = SettledValue([&] { return std::uint64_t(f.View().ListModel().rowCount()); });
            };
            f.Controls().btnStop->click();
        });
    });
    f.TypeAndNext(path);
    ASSERT_TRUE(f.WaitForScanEnd());
    ASSERT_TRUE(clicked);
    EXPECT_EQ(f.MessageTexts(), QStringList{kStopQuestion});
    EXPECT_LT(heldAt, 20000u) << "the scan went on behind the question";
    ExpectReview(f, 20000);
}

TEST(WizardScan, DuringAScanNextRefusesAndAddAndRepairDoNothing)
{
    WindowFixture f;
    const QString path = f.WriteFile("big.bkf", SampleBackup("Big", 10, 20));
    f.TypeAndNext(path);
    f.Controls().btnNext->click();
    f.View().OnAddFile();
    f.Controls().btnRepair->click();
    EXPECT_EQ(f.MessageTexts(), QStringList{"Please stop search process , then save files"});
    EXPECT_EQ(f.chooser.asked, 0);
    ASSERT_TRUE(f.WaitForScanEnd());
    ExpectReview(f, 200);
}

TEST(WizardScan, BackAfterAScanAsksNothingAndKeepsTheCatalogue)
{
    WindowFixture f;
    f.TypeAndNext(f.WriteFile("a.bkf", SampleBackup("A", 2, 3)));
    ASSERT_TRUE(f.WaitForScanEnd());
    QTest::mouseClick(f.Controls().btnBack, Qt::LeftButton);
    EXPECT_TRUE(f.messages.shown.empty());
    EXPECT_EQ(f.View().Page(), 0);
    EXPECT_EQ(f.Controls().lblHelpTop->Text(), kBackHelp);
    EXPECT_EQ(f.View().ListModel().rowCount(), 6);
}

// Regression: Back during a scan hid Stop while the worker still ran its
// ending steps, and a quick Next started a second scan over the same file
// handle and catalogue; the old scan's end steps then ran in the middle of
// the new one. Next now waits for the old worker and its end steps.
TEST(WizardScan, NextRightAfterBackStartsOneCleanScan)
{
    WindowFixture f;
    const QString first = f.WriteFile("first.bkf", SampleBackup("First", 40, 50));
    const QString second = f.WriteFile("second.bkf", SampleBackup("Second", 3, 4));
    f.TypeAndNext(first);
    while (f.View().ListModel().rowCount() == 0) // found something: no "No data found" later
        QCoreApplication::processEvents();
    f.messages.answers = {MessageService::kYes};
    f.Controls().btnBack->click();
    f.TypeAndNext(second);
    ASSERT_TRUE(f.WaitForScanEnd());

    ExpectReview(f, 12);
    EXPECT_EQ(TopSetName(f.View().TreeModel()), "BACKUP SET 1(_Second)");
    EXPECT_EQ(f.MessageTexts(), QStringList{kStopQuestion});
}

TEST(WizardScan, SecondScanStartsFromEmptyControls)
{
    WindowFixture f;
    f.TypeAndNext(f.WriteFile("a.bkf", SampleBackup("A", 2, 3)));
    ASSERT_TRUE(f.WaitForScanEnd());
    f.Controls().btnBack->click();
    f.TypeAndNext(f.WriteFile("b.bkf", SampleBackup("B", 1, 2)));
    ASSERT_TRUE(f.WaitForScanEnd());
    ExpectReview(f, 2);
    EXPECT_EQ(TopSetName(f.View().TreeModel()), "BACKUP SET 1(_B)");
}

TEST(WizardScan, CommandLineBackupFillsTheBoxAndScans)
{
    WindowFixture f;
    const QString path = f.WriteFile("given.bkf", SampleBackup("Given", 1, 4));
    f.View().OpenBackup(path);
    ASSERT_TRUE(f.WaitForScanEnd());
    EXPECT_EQ(f.Controls().editFileName->text(), path);
    ExpectReview(f, 4);
}

// A .bkf file dropped on the file page scans like Next; anything else is refused.
TEST(WizardScan, DroppedBackupScansOnTheFilePageOnly)
{
    WindowFixture f;
    const QString text = f.WriteFile("notes.txt", {'x'});
    const QString backup = f.WriteFile("dropped.BKF", SampleBackup("Dropped", 1, 3));
    auto drop = [&f](const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        // Straight to the view: the application delivers drops only during a real drag.
        static_cast<QObject&>(f.View()).event(&event);
        return event.isAccepted();
    };
    EXPECT_FALSE(drop(text));
    EXPECT_EQ(f.View().Page(), 0);
    EXPECT_TRUE(drop(backup));
    ASSERT_TRUE(f.WaitForScanEnd());
    ExpectReview(f, 3);
    EXPECT_FALSE(drop(backup)) << "the results page takes no drop";
}

// A drag over the window offers a landing only for one local .bkf file, and
// only on the file page.
TEST(WizardScan, DragOffersALandingOnlyForOneLocalBackup)
{
    WindowFixture f;
    const QUrl backup = QUrl::fromLocalFile(f.WriteFile("offered.bkf", SampleBackup("Offered", 1, 2)));
    const QUrl text = QUrl::fromLocalFile(f.WriteFile("notes.txt", {'x'}));
    auto landing = [&f](const QList<QUrl>& urls) {
        QMimeData carried;
        carried.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &carried, Qt::LeftButton, Qt::NoModifier);
        static_cast<QObject&>(f.View()).event(&enter); // as the drop test: no real drag offscreen
        return enter.isAccepted();
    };
    const std::pair<QList<QUrl>, bool> cases[] = {
        {{backup}, true}, {{text}, false}, {{backup, backup}, false},
        {{QUrl("https://example.com/offered.bkf")}, false}, {{}, false},
    };
    for (const auto& [urls, offered] : cases)
        EXPECT_EQ(landing(urls), offered) << urls.size() << " urls, first " << urls.value(0).toString().toStdString();
    f.TypeAndNext(backup.toLocalFile());
    ASSERT_TRUE(f.WaitForScanEnd());
    EXPECT_FALSE(landing({backup})) << "the results page offers none";
}

// A folder whose name cannot be used is passed over as "lost dir": the line
// under the lists says so, with no box in the way; the details are a click away.
TEST(WizardScan, ScanReportShowsUnderTheListsWithoutAModalBox)
{
    WindowFixture f;
    f.TypeAndNext(f.WriteFile("damaged.bkf", BackupWithReport()));
    ASSERT_TRUE(f.WaitForScanEnd());
    ExpectReview(f, 2);
    EXPECT_TRUE(f.View().ReportLine().isVisible());
    EXPECT_TRUE(f.messages.shown.empty());
    f.View().ReportLine().ShowDetails();
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].style, MessageService::kInform);
    f.Controls().btnBack->click();
    EXPECT_FALSE(f.View().ReportLine().isVisible());
}

// Fault: every scan printed "Set 1: " / "Name: " trace lines on stdout.
TEST(WizardScan, AScanPrintsNothingOnStdout)
{
    WindowFixture f;
    const QString path = f.WriteFile("quiet.bkf", SampleBackup("Quiet", 2, 3));
    const std::string captured = f.dir.Child("stdout");
    std::fflush(stdout);
    const int saved = ::dup(STDOUT_FILENO);
    const int file = ::open(captured.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(file, STDOUT_FILENO);
    f.TypeAndNext(path);
    const bool ended = f.WaitForScanEnd();
    std::fflush(stdout);
    ::dup2(saved, STDOUT_FILENO);
    ::close(saved);
    ::close(file);
    ASSERT_TRUE(ended);
    EXPECT_EQ(f.View().ListModel().rowCount(), 6);
    const auto printed = test_files::ReadFileBytes(captured);
    ASSERT_TRUE(printed.has_value());
    EXPECT_EQ(std::string(printed->begin(), printed->end()), "");
}
