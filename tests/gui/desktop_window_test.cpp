// SPDX-License-Identifier: GPL-3.0-or-later
// The window on any desktop: text that reads on the painted surfaces under a
// dark theme, every control reachable at the smallest size, a large font
// that clips nothing, and what the window remembers between starts.

#include "gradient_static.h"
#include "save_progress_dlg.h"
#include "save_road.h"
#include "scan_report_line.h"
#include "settings_dlg.h"
#include "surface_ink.h"
#include "window_memory.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

// Runs `body` with the application's palette and font changed by `change`, then puts them back.
template <typename Change, typename Body>
void With(Change change, Body body)
{
    const QPalette palette = QApplication::palette();
    const QFont font = QApplication::font();
    change();
    body();
    QApplication::setPalette(palette);
    QApplication::setFont(font);
}

} // namespace

TEST(DesktopWindow, TextOnThePaintedSurfacesReadsUnderADarkTheme)
{
    With([] { QApplication::setPalette(DarkDesktopPalette()); }, [] {
        WindowFixture f;
        const WizardControls& c = f.Controls();
        QString prefix = "P";
        bool dates = false;
        CSettingsDlg settings(prefix, dates, f.messages);
        CSaveProgressDlg progress({"", {}, f.View().Store(), "/", "P", {}}, f.messages);
        const QColor cream(255, 250, 228);
        const std::pair<QColor, QColor> textOnGround[] = {
            {c.lblHelpTop->TextColor(), c.lblHelpTop->LeftColor()},
            {c.chkDeepScan->palette().color(QPalette::WindowText), cream},
            {c.editFileName->palette().color(QPalette::Text), c.editFileName->palette().color(QPalette::Base)},
            {f.View().ReportLine().palette().color(QPalette::Link), cream},
            {f.frame.ReadyLabel().palette().color(QPalette::WindowText), QColor(113, 177, 241)},
            {settings.RestoreDatesBox().palette().color(QPalette::WindowText), cream},
            {progress.FileNameLabel().palette().color(QPalette::WindowText), cream},
        };
        for (const auto& [text, ground] : textOnGround)
            EXPECT_GE(ground.lightness() - text.lightness(), 120) << text.name().toStdString();
        EXPECT_EQ(c.folderTree->palette().color(QPalette::Text), DarkDesktopPalette().color(QPalette::Text))
            << "the tree keeps the desktop's colours";
    });
}

TEST(DesktopWindow, AtTheSmallestSizeEveryControlIsReachable)
{
    WindowFixture f;
    const QSize smallest = f.frame.minimumSize();
    const QSize room = QSize(870, 550).boundedTo(f.frame.screen()->availableSize());
    EXPECT_TRUE(smallest.width() <= room.width() && smallest.height() <= room.height());
    f.TypeAndNext(f.WriteFile("report.bkf", BackupWithReport()));
    ASSERT_TRUE(f.WaitForScanEnd());
    f.frame.resize(smallest);
    QApplication::processEvents();
    for (QWidget* control : f.View().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(control->isHidden() || f.View().rect().contains(control->geometry()))
            << control->metaObject()->className();
    ScanReportLine& line = f.View().ReportLine();
    QTextDocument shown;
    shown.setHtml(line.text());
    EXPECT_TRUE(shown.toPlainText().endsWith("Details...  Save report..."));
    EXPECT_LE(line.fontMetrics().horizontalAdvance(shown.toPlainText()), line.width()) << "elided, links whole";
}

TEST(DesktopWindow, ALargeFontClipsNothing)
{
    With([] {
        QFont big = QApplication::font();
        big.setPointSize(14);
        QApplication::setFont(big);
    }, [] {
        WindowFixture f;
        const WizardControls& c = f.Controls();
        const QFontMetrics metrics = c.btnBrowse->fontMetrics();
        EXPECT_GE(c.btnBrowse->width(), metrics.horizontalAdvance("Browse") + 8);
        EXPECT_GE(c.btnBrowse->height(), metrics.height() + 6);
        EXPECT_LT(c.editFileName->geometry().right(), c.btnBrowse->geometry().left());
        QString prefix = "P";
        bool dates = false;
        CSettingsDlg settings(prefix, dates, f.messages);
        settings.show();
        QApplication::processEvents();
        EXPECT_EQ(settings.Background().deviceIndependentSize().toSize(), settings.size()) << "the picture grows too";
        CSaveProgressDlg progress({"", {}, f.View().Store(), "/", "P", {}}, f.messages);
        EXPECT_GE(progress.FileNameLabel().height(), 3 * progress.FileNameLabel().fontMetrics().lineSpacing());
        EXPECT_GE(progress.BytesLabel().height(), 2 * progress.BytesLabel().fontMetrics().lineSpacing());
    });
}

TEST(DesktopWindow, RemembersTheGeometryTheFolderAndTheLastFiveBackups)
{
    WindowFixture f;
    const QString scanned = f.WriteFile("a.bkf", SaveBackup(1, 10));
    f.TypeAndNext(scanned);
    ASSERT_TRUE(f.WaitForScanEnd());
    EXPECT_EQ(WindowMemory(f.settings).RecentBackups(), QStringList{scanned}) << "a scan notes its backup";
    for (const QString name : {"0", "1", "2", "3", "4", "5", "2"})
        WindowMemory(f.settings).NoteBackup("/backups/" + name + ".bkf");
    EXPECT_EQ(WindowMemory(f.settings).RecentBackups(),
              QStringList({"/backups/2.bkf", "/backups/5.bkf", "/backups/4.bkf", "/backups/3.bkf", "/backups/1.bkf"}));
    f.chooser.answers = {""};
    f.Controls().btnBrowse->click();
    EXPECT_EQ(f.chooser.folder, "/backups");

    WindowMemory(f.settings).NoteBackup(scanned);
    QMenu* file = f.frame.menuBar()->findChildren<QMenu*>().first();
    emit file->aboutToShow();
    emit file->aboutToShow();
    ASSERT_EQ(file->actions().size(), 10) << "Add, Save, a separator, five backups, a separator, Exit; once";
    EXPECT_EQ(file->actions()[7]->text(), "&5 /backups/3.bkf");
    file->actions()[3]->trigger(); // from the results page: back, then the scan of that backup
    EXPECT_EQ(f.Controls().editFileName->text(), scanned);
    EXPECT_EQ(f.View().Page(), 1);
    ASSERT_TRUE(f.WaitForScanEnd());

    f.frame.setGeometry(40, 50, 900, 600);
    f.messages.answers = {MessageService::kYes};
    f.frame.close(); // "Do you really want to exit?" Yes
    WindowFixture next;
    next.settings.setValue("Window/Geometry", f.settings.value("Window/Geometry"));
    ASSERT_TRUE(next.frame.RestoreWindow());
    EXPECT_EQ(next.frame.size(), QSize(900, 600));
}
