// SPDX-License-Identifier: GPL-3.0-or-later
// The wizard by the keyboard: Tab through every control in reading order,
// the image buttons' mnemonics and their focus frame.

#include "catalogue_filter_bar.h"
#include "hover_button.h"
#include "scan_report_line.h"
#include "save_road.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// The widgets Tab visits from the focus widget until it comes back.
QList<QWidget*> TabRound(QWidget& window)
{
    QList<QWidget*> visited;
    QWidget* const start = QApplication::focusWidget();
    for (int k = 0; k < 40; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
        if (visited.last() == start || !window.isAncestorOf(visited.last()))
            break;
    }
    return visited;
}

} // namespace

TEST(WizardKeyboard, TabVisitsEveryControlOfAPageInReadingOrder)
{
    WindowFixture f;
    const WizardControls& c = f.Controls();
    const QList<QWidget*> toolbar = {c.btnAddFile, c.btnRepair, c.btnSave, c.btnSettings, c.btnUpdate, c.btnHomePage};
    EXPECT_EQ(TabRound(f.frame), QList<QWidget*>({c.btnBrowse, c.chkDeepScan, c.btnNext}) + toolbar
                                     + QList<QWidget*>{c.editFileName});

    f.TypeAndNext(f.WriteFile("damaged.bkf", BackupWithReport()));
    ASSERT_TRUE(f.WaitForScanEnd());
    ASSERT_TRUE(f.View().ReportLine().isVisible());
    QWidget* const line = &f.View().ReportLine(); // its two links: "Details..." and "Save report..."
    CatalogueFilterBar* const bar = c.filterBar;
    // Each list's heading row follows the list.
    EXPECT_EQ(TabRound(f.frame),
              QList<QWidget*>({c.folderContents, c.folderContents->horizontalHeader(), bar->TextBox(),
                               bar->ClearButton(), bar->NotOkBox(), bar->SizeBox(), c.catalogueList,
                               c.catalogueList->horizontalHeader(), line, line, c.btnBack, c.btnNext})
                  + toolbar + QList<QWidget*>{c.folderTree});
}

TEST(WizardKeyboard, ImageButtonsNameTheirMnemonicAndShowTheFocus)
{
    WindowFixture f;
    const WizardControls& c = f.Controls();
    const std::pair<CHoverButton*, const char*> tips[] = {
        {c.btnNext, "Next (Alt+N)"}, {c.btnBack, "Back (Alt+B)"}, {c.btnStop, "Stop (Alt+S)"}};
    for (const auto& [button, tip] : tips)
        EXPECT_EQ(button->toolTip(), tip);

    const QImage unfocused = c.btnNext->grab().toImage();
    c.btnNext->setFocus(Qt::TabFocusReason);
    EXPECT_NE(c.btnNext->grab().toImage(), unfocused) << "the focus frame shows on the image";

    c.editFileName->setFocus();
    QTest::keyClick(&f.frame, Qt::Key_N, Qt::AltModifier);
    QDeadlineTimer deadline(10000); // the shortcut clicks after a short animation
    while (f.chooser.asked == 0 && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(f.chooser.asked, 1) << "Alt+N is Next: the empty box opens the chooser";
    QTest::keyClick(&f.frame, Qt::Key_B, Qt::AltModifier);
    while (f.chooser.asked == 1 && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(f.chooser.asked, 2) << "Alt+B is Browse here: Back, its twin, does not show";
}
