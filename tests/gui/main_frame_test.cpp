// SPDX-License-Identifier: GPL-3.0-or-later
// The main frame: its menus and command table, the status bar, the layout of
// the view and the status bar at two sizes, the accelerators over the
// file-name box, and the commands that reach outside the program.

#include "about_dialog.h"
#include "application_commands.h"
#include "bkf_writer.h"
#include "build_info.h"
#include "catalogue_filter_bar.h"
#include "command_table.h"
#include "gradient_static.h"
#include "hover_button.h"
#include "lock_key_panes.h"
#include "transparent_static.h"
#include "window_fixture.h"
#include "window_layout.h"
#include "surface_ink.h"

#include <QAccessible>
#include <QClipboard>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Every item of the menu bar as "menu > text | shortcut | status tip", "-" for a separator.
QStringList MenuRows(const QMenuBar& bar)
{
    QStringList rows;
    for (QAction* menuAction : bar.actions()) {
        for (QAction* item : menuAction->menu()->actions()) {
            if (item->isSeparator()) {
                rows << menuAction->text() + " > -";
                continue;
            }
            rows << QStringList{menuAction->text() + " > " + item->text(), item->shortcut().toString(),
                                item->statusTip()}
                        .join(" | ");
            if (item->menu() != nullptr)
                continue; // a submenu (View > Sort by): no icon, open only while its list shows
            EXPECT_FALSE(item->icon().isNull()) << item->text().toStdString();
            EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
        }
    }
    return rows;
}

void Touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

} // namespace

TEST(MainFrame, MenusAndCommandTable)
{
    WindowFixture f;
    const QStringList expected = {
        "&File > &Add\tCtrl+A | Ctrl+A | Add File to repair",
        "&File > &Save\tCtrl+S | Ctrl+S | Select location to save repaired file",
        "&File > -",
        "&File > E&xit\tCtrl+Q | Ctrl+Q | Quit the application; prompts to save documents",
        "&View > &Sort by |  | Sort the found files or the folder's contents by a column",
        "&Tools > Se&tting\tCtrl+T | Ctrl+T | Settings for repaired file name",
        "&Tools > &Check data |  | Read the found files' data and compare them with their checksums",
        "&Tools > Li&ve Update\tCtrl+V | Ctrl+V | Update the software from latest changes from Internet",
        "&Help > &Help\tF1 | F1 | Help",
        "&Help > &About Brevant Veltra BKF... |  | Display program information, version number and copyright",
        "&Help > Software H&ome Page... |  | Go to software home page...",
    };
    EXPECT_EQ(MenuRows(*f.frame.menuBar()), expected);
    for (int id : {CommandId::kAddFile, CommandId::kSave, CommandId::kExit, CommandId::kSetting,
                   CommandId::kLiveUpdate, CommandId::kHelp, CommandId::kAbout, CommandId::kHomePage})
        EXPECT_NE(f.frame.Command(id), nullptr) << id;
    // A highlighted item's prompt takes the message pane; "Ready" returns after.
    f.frame.Command(CommandId::kSetting)->showStatusText(&f.frame);
    EXPECT_EQ(f.frame.statusBar()->currentMessage(), "Settings for repaired file name");
    EXPECT_FALSE(f.frame.ReadyLabel().isVisible());
    f.frame.statusBar()->clearMessage();
    EXPECT_TRUE(f.frame.ReadyLabel().isVisible());
}

TEST(MainFrame, TitleSizeAndStatusBar)
{
    WindowFixture f;
    EXPECT_EQ(f.frame.windowTitle(), "Brevant Veltra BKF");
    EXPECT_EQ(f.frame.ReadyLabel().text(), "Ready");
    EXPECT_TRUE(f.frame.ReadyLabel().isVisible());
    EXPECT_EQ(f.frame.statusBar()->palette().color(QPalette::Window), QColor(113, 177, 241));
    QStringList panes;
    for (LockKey key : {LockKey::kCaps, LockKey::kNum, LockKey::kScroll})
        panes << f.frame.LockPanes().Pane(key)->text();
    EXPECT_EQ(panes, (QStringList{"CAP", "NUM1", "SCRL"}));
    EXPECT_FALSE(f.frame.Progress().isVisible());
    EXPECT_EQ(f.frame.ScanPositionLabel().TextColor(), WarningRed());
}

// The layout at two window sizes: every control where its formula puts it.
TEST(MainFrame, LayoutFollowsTheWindowSize)
{
    for (const QSize& size : {QSize(900, 600), QSize(1280, 800)}) {
        WindowFixture f(size);
        const QSize client = f.View().size();
        const int w = client.width();
        const int h = client.height();
        SCOPED_TRACE(QString("%1x%2").arg(w).arg(h).toStdString());
        const WizardControls& c = f.Controls();
        EXPECT_EQ(c.btnNext->geometry(), QRect(w - 55, h - 40, 50, 38));
        EXPECT_EQ(c.btnNext->geometry().right() + 1, w - 5);
        EXPECT_EQ(c.btnBack->geometry().left(), c.btnNext->geometry().left() - 55);
        EXPECT_EQ(c.btnStop->geometry().left(), c.btnBack->geometry().left() - 55);
        EXPECT_EQ(c.editFileName->geometry(), QRect(100, h / 2 - 11, w - 260, 23));
        EXPECT_EQ(c.btnBrowse->geometry(), QRect(w - 155, h / 2 - 11, 55, 23));
        EXPECT_EQ(c.btnHomePage->geometry(), QRect(w - 133, 0, 133, 63));
        EXPECT_EQ(c.lblHelpTop->geometry(), QRect(190, 84, w - 210, 29));
        const int m = (h + 100) / 2;
        EXPECT_EQ(c.folderTree->geometry(), QRect(50, 200, 250, h - 300));
        EXPECT_EQ(c.folderContents->geometry(), QRect(300, 200, w - 350, m - 200));
        const int bar = c.filterBar->height(); // the filter bar over the found-files list's top
        EXPECT_EQ(c.filterBar->geometry(), QRect(300, m, w - 350, bar));
        EXPECT_EQ(c.catalogueList->geometry(), QRect(300, m + bar, w - 350, h - 100 - m - bar));
        EXPECT_EQ(c.btnAddFile->geometry(), QRect(14, 0, 58, 50)); // the toolbar keeps its places
        EXPECT_EQ(c.btnUpdate->geometry(), QRect(385, 0, 58, 50));
        const int status = f.frame.statusBar()->width();
        EXPECT_EQ(f.frame.Progress().geometry(), QRect(300, 5, status - 600, 10));
        EXPECT_EQ(f.frame.ScanPositionLabel().geometry(), QRect(status - 290, 5, 140, 10));
        EXPECT_EQ(f.frame.FileCountLabel().geometry(), QRect(status - 150, 5, 140, 10));
    }
}

// Ctrl+A and Ctrl+V edit the text while the file-name box has the focus and
// run Add and Live Update elsewhere; Enter in the box is Next; Ctrl+Q is Exit.
TEST(MainFrame, KeysInAndOutsideTheFileNameBox)
{
    const QString liveUpdate = "Updates of Brevant Veltra BKF come with the system's package manager.";
    struct Case {
        const char* why;
        bool inBox;
        QKeyCombination key;
        QString text;       // the box's text after the key
        int chooserAsked;   // times the file chooser opened
        QStringList shown;  // messages
    };
    const Case cases[] = {
        {"Ctrl+A selects all", true, Qt::CTRL | Qt::Key_A, "typed", 0, {}},
        {"Ctrl+V pastes", true, Qt::CTRL | Qt::Key_V, "typedpasted", 0, {}},
        {"Enter is Next", true, QKeyCombination(Qt::Key_Return), "typed", 0, {"Invalid File Name"}},
        {"Ctrl+A is Add elsewhere", false, Qt::CTRL | Qt::Key_A, "typed", 1, {}},
        {"Ctrl+V is Live Update elsewhere", false, Qt::CTRL | Qt::Key_V, "typed", 0, {liveUpdate}},
        {"Ctrl+Q is Exit", true, Qt::CTRL | Qt::Key_Q, "typed", 0, {"Do you really want to exit?"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        WindowFixture f;
        QLineEdit* box = f.Controls().editFileName;
        EXPECT_TRUE(box->hasFocus()) << "the box has the focus from the start";
        box->setText("typed");
        QApplication::clipboard()->setText("pasted");
        QWidget* target = c.inBox ? static_cast<QWidget*>(box) : f.Controls().btnAddFile;
        target->setFocus();
        f.messages.answers = {MessageService::kNo};
        QTest::keyClick(target, c.key.key(), c.key.keyboardModifiers());
        EXPECT_EQ(box->text(), c.text);
        EXPECT_EQ(box->hasSelectedText(), c.key == (Qt::CTRL | Qt::Key_A) && c.inBox);
        EXPECT_EQ(f.chooser.asked, c.chooserAsked);
        EXPECT_EQ(f.MessageTexts(), c.shown);
    }
}

// F1 opens the .chm in the start directory, else the manual the build wrote, else says so.
TEST(MainFrame, HelpFileInTheStartDirectoryElseTheManual)
{
    WindowFixture f;
    f.frame.Command(CommandId::kHelp)->trigger();
    EXPECT_EQ(f.shell.documents, QStringList{UserManualPath()});
    EXPECT_TRUE(QFileInfo::exists(UserManualPath()));
    RunHelpFile(WindowServices{f.messages, f.shell, f.chooser, f.folderChooser, f.settings}, f.frame.StartDir(), "no manual");
    EXPECT_EQ(f.MessageTexts(), QStringList{"Help file for Brevant Veltra BKF not found"});
    const QString help = QDir(f.frame.StartDir()).filePath("Brevant Veltra for BKF.chm");
    Touch(help);
    f.frame.Command(CommandId::kHelp)->trigger();
    EXPECT_EQ(f.shell.documents.last(), help);
}

TEST(MainFrame, LiveUpdateAsksThenStartsTheUpdaterAndEnds)
{
    const QString question =
        "The application will be closed if you want to run Live Update of the software. Continue ?";
    for (int answer : {int(MessageService::kNo), int(MessageService::kYes)}) {
        WindowFixture f;
        const QString updater = QDir(f.frame.StartDir()).filePath("Veltra Live Update.exe");
        Touch(updater);
        f.messages.answers = {answer};
        QTest::mouseClick(f.Controls().btnUpdate, Qt::LeftButton);
        EXPECT_EQ(f.MessageTexts(), QStringList{question});
        if (answer == MessageService::kNo) {
            EXPECT_TRUE(f.shell.programs.isEmpty());
            EXPECT_TRUE(f.shell.endedWith.empty());
        } else {
            EXPECT_EQ(f.shell.programs, QStringList{updater + "|<QVBKF>"});
            EXPECT_EQ(f.shell.endedWith, std::vector<int>{0});
        }
    }
}

TEST(MainFrame, ExitAsksAndStopsARunningScan)
{
    WindowFixture f;
    f.messages.answers = {MessageService::kNo};
    f.frame.Command(CommandId::kExit)->trigger();
    EXPECT_TRUE(f.frame.isVisible());
    EXPECT_TRUE(f.shell.endedWith.empty());

    BkfWriter writer;
    writer.Sset("S").Dirb({"D"}).File("a.txt", "a");
    f.TypeAndNext(f.WriteFile("a.bkf", writer.Bytes()));
    f.messages.answers = {MessageService::kYes};
    f.frame.close();
    EXPECT_EQ(f.MessageTexts(), (QStringList{"Do you really want to exit?", "Do you really want to exit?"}));
    EXPECT_EQ(f.shell.endedWith, std::vector<int>{0});
    EXPECT_FALSE(f.View().Session().IsScanRunning());
    EXPECT_TRUE(f.WaitForScanEnd());
}

TEST(MainFrame, HomePageAndAbout)
{
    WindowFixture f;
    QTest::mouseClick(f.Controls().btnHomePage, Qt::LeftButton);
    f.frame.Command(CommandId::kHomePage)->trigger();
    ASSERT_EQ(f.shell.webPages.size(), 2);
    EXPECT_EQ(f.shell.webPages[0], f.shell.webPages[1]);
    EXPECT_TRUE(f.shell.webPages[0].startsWith("https://"));
    CAboutDlg about;
    EXPECT_EQ(about.VersionLine().Text(), "Brevant Veltra BKF Version " BKF_VERSION);
    EXPECT_EQ(about.windowTitle(), "About Brevant Veltra BKF");
}

// After a scan: Ctrl+A selects every row of the list that has the focus and
// runs no command; elsewhere it stays Add File. The status bar says how much
// is ticked, in its text and to a screen reader, after every change.
TEST(MainFrame, CtrlAInAListSelectsItsRowsAndTheStatusBarCountsTheTicks)
{
    WindowFixture f;
    BkfWriter writer;
    writer.Sset("S").Dirb({"D"}).File("a.txt", "abc").File("b.txt", "de");
    f.TypeAndNext(f.WriteFile("a.bkf", writer.Bytes()));
    ASSERT_TRUE(f.WaitForScanEnd());
    QLabel& ticks = f.frame.TickTotalsLabel();
    EXPECT_TRUE(ticks.isVisible());
    EXPECT_EQ(ticks.text(), "2 of 2 files ticked, 5 B");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&ticks)->text(QAccessible::Name), ticks.text());

    f.Controls().folderTree->SelectNode(f.View().TreeModel().TopLevelNode(0)->Child(0)); // the set
    struct Case {
        QAbstractItemView* view;
        int selected; // rows selected after Ctrl+A
        int added;    // times Add File ran
    };
    const Case cases[] = {
        {f.Controls().catalogueList, 2, 0},
        {f.Controls().folderContents, 2, 0}, // ".." and the folder D
        {f.Controls().folderTree, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.view->metaObject()->className());
        QSignalSpy add(f.frame.Command(CommandId::kAddFile), &QAction::triggered);
        c.view->setCurrentIndex(c.view->model()->index(0, 0));
        c.view->setFocus();
        QTest::keyClick(c.view, Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(c.view->selectionModel()->selectedRows().size(), c.selected);
        EXPECT_EQ(add.count(), c.added);
    }

    f.Controls().catalogueList->setFocus();
    QTest::keyClick(f.Controls().catalogueList, Qt::Key_Space);
    EXPECT_EQ(ticks.text(), "0 of 2 files ticked, 0 B");
}
