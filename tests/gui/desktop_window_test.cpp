// SPDX-License-Identifier: GPL-3.0-or-later
// The window on any desktop: text that reads on the painted surfaces under a
// dark theme, every control reachable at the smallest size, a large font
// that clips nothing, and what the window remembers between starts.

#include "bkf_writer.h"
#include "gradient_static.h"
#include "save_progress_dlg.h"
#include "scan_report_line.h"
#include "settings_dlg.h"
#include "surface_ink.h"
#include "window_fixture.h"
#include "window_memory.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QColor kCream(255, 250, 228);

double Luminance(const QColor& c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Runs `body` with the application's palette or font changed, then puts it back.
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

WindowFixture* ScannedWithReport(WindowFixture& f)
{
    BkfWriter writer; // a folder name that cannot be used: a report line
    writer.Sset("Damaged").Dirb({"bad|name"}).File("a.txt", "a").Dirb({"good"}).File("b.txt", "b");
    f.TypeAndNext(f.WriteFile("damaged.bkf", writer.Bytes()));
    EXPECT_TRUE(f.WaitForScanEnd());
    return &f;
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
        CSaveProgressDlg progress({"", f.View().Store(), "/", "P", {}}, f.messages);
        struct Case {
            const char* what;
            QColor text;
            QColor ground;
        };
        const Case cases[] = {
            {"instruction", c.lblHelpTop->TextColor(), c.lblHelpTop->LeftColor()},
            {"Deep scan", c.chkDeepScan->palette().color(QPalette::WindowText), kCream},
            {"typed path", c.editFileName->palette().color(QPalette::Text),
             c.editFileName->palette().color(QPalette::Base)},
            {"report line", f.View().ReportLine().palette().color(QPalette::WindowText), kCream},
            {"Details... link", f.View().ReportLine().palette().color(QPalette::Link), kCream},
            {"Ready", f.frame.ReadyLabel().palette().color(QPalette::WindowText), QColor(113, 177, 241)},
            {"Settings label", settings.findChild<QLabel*>()->palette().color(QPalette::WindowText), kCream},
            {"Settings box", settings.RestoreDatesBox().palette().color(QPalette::WindowText), kCream},
            {"progress line", progress.FileNameLabel().palette().color(QPalette::WindowText), kCream},
        };
        for (const Case& k : cases)
            EXPECT_GE(Contrast(k.text, k.ground), 4.5) << k.what;
        EXPECT_EQ(c.folderTree->palette().color(QPalette::Text), DarkDesktopPalette().color(QPalette::Text))
            << "the tree keeps the desktop's colours";
    });
}

TEST(DesktopWindow, AtTheSmallestSizeEveryControlIsReachable)
{
    WindowFixture f;
    const QSize available = f.frame.screen()->availableSize();
    EXPECT_EQ(f.frame.minimumSize(), QSize(870, 550).boundedTo(available - (f.frame.frameGeometry().size() - f.frame.size())));
    ScannedWithReport(f);
    f.frame.resize(f.frame.minimumSize());
    QApplication::processEvents();
    const QRect view = f.View().rect();
    const QList<QWidget*> controls = f.View().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        if (!control->isVisible())
            continue;
        EXPECT_TRUE(view.contains(control->geometry())) << control->metaObject()->className();
    }
    ScanReportLine& line = f.View().ReportLine();
    EXPECT_TRUE(line.text().contains("Details...") && line.text().contains("Save report..."));
    QTextDocument shown;
    shown.setHtml(line.text());
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
        CSaveProgressDlg progress({"", f.View().Store(), "/", "P", {}}, f.messages);
        EXPECT_GE(progress.FileNameLabel().height(), 3 * progress.FileNameLabel().fontMetrics().lineSpacing());
        EXPECT_GE(progress.BytesLabel().height(), 2 * progress.BytesLabel().fontMetrics().lineSpacing());
    });
}

TEST(DesktopWindow, RemembersTheGeometryTheFolderAndTheLastFiveBackups)
{
    WindowFixture f;
    BkfWriter writer;
    writer.Sset("S").Dirb({"D"}).File("a.txt", "a");
    const QString scanned = f.WriteFile("a.bkf", writer.Bytes());
    f.TypeAndNext(scanned);
    ASSERT_TRUE(f.WaitForScanEnd());
    EXPECT_EQ(WindowMemory(f.settings).RecentBackups(), QStringList{scanned}) << "a scan notes its backup";
    for (int k = 0; k < 7; ++k)
        WindowMemory(f.settings).NoteBackup(QString("/backups/%1.bkf").arg(k));
    WindowMemory(f.settings).NoteBackup("/backups/3.bkf");
    const QStringList expected = {"/backups/3.bkf", "/backups/6.bkf", "/backups/5.bkf", "/backups/4.bkf",
                                  "/backups/2.bkf"};
    EXPECT_EQ(WindowMemory(f.settings).RecentBackups(), expected);
    f.chooser.answers = {""};
    f.Controls().btnBrowse->click();
    EXPECT_EQ(f.chooser.folder, "/backups");

    QMenu* file = f.frame.menuBar()->findChildren<QMenu*>().first();
    emit file->aboutToShow();
    QStringList items;
    for (QAction* action : file->actions())
        items << action->text();
    ASSERT_EQ(items.size(), 10) << "Add, Save, a separator, five backups, a separator, Exit";
    EXPECT_EQ(items[3], "&1 /backups/3.bkf");
    EXPECT_EQ(items[7], "&5 /backups/2.bkf");
    emit file->aboutToShow();
    EXPECT_EQ(file->actions().size(), 10) << "made anew, not added again";
    WindowMemory(f.settings).NoteBackup(scanned);
    emit file->aboutToShow();
    file->actions()[3]->trigger(); // from the results page: back, then the scan of that backup
    EXPECT_EQ(f.Controls().editFileName->text(), scanned);
    EXPECT_EQ(f.View().Page(), 1);
    ASSERT_TRUE(f.WaitForScanEnd());

    f.frame.setGeometry(40, 50, 900, 600);
    f.messages.answers = {MessageService::kYes};
    f.frame.close(); // "Do you really want to exit?" answered Yes
    WindowFixture next;
    next.settings.setValue("Window/Geometry", f.settings.value("Window/Geometry"));
    ASSERT_TRUE(next.frame.RestoreWindow());
    EXPECT_EQ(next.frame.size(), QSize(900, 600));
}
