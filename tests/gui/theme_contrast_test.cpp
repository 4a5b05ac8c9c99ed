// SPDX-License-Identifier: GPL-3.0-or-later
// Both pages under real dark desktop styles, read from the pixels: every text
// stands out from what lies behind it, on our painted surfaces and in the
// desktop's lists alike.

#include "drawn_contrast.h"
#include "save_road.h"
#include "window_fixture.h"

#include "browser_images.h"
#include "catalogue_filter_bar.h"
#include "folder_node.h"
#include "gradient_static.h"
#include "surface_ink.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QStyleFactory>
#include <QStandardItemModel>
#include <QStyleOptionButton>
#include <QTableView>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Puts the application's style and palette back when it ends.
struct StyleKept {
    QString style = QApplication::style()->name();
    QPalette palette = QApplication::palette();
    ~StyleKept() { QApplication::setStyle(QStyleFactory::create(style)), QApplication::setPalette(palette); }
};

struct Measured {
    const char* text;
    DrawnText drawn;
    bool desktops = false; // drawn by the desktop's style in its own colours
};

QRect CheckBoxPart(const QCheckBox& box, QStyle::SubElement part)
{
    QStyleOptionButton option;
    option.initFrom(&box);
    option.text = box.text();
    return box.style()->subElementRect(part, &option, &box);
}

// Where the text of a list's first column begins: past the state image and the icon.
const int kTextLeft = BrowserImages::kSize + 2 + 16 + 4;

QRect Heading(const QHeaderView& header, int column)
{
    return QRect(header.sectionViewportPosition(column), 0, header.sectionSize(column), header.height());
}

// The texts of both pages, grabbed from `f`'s window.
std::vector<Measured> MeasurePages(WindowFixture& f)
{
    const WizardControls& c = f.Controls();
    const auto in = [&f](const QImage& image, const QWidget& widget, const QRect& area, int leastPixels = 3) {
        const QRect inFrame = area.adjusted(2, 2, -2, -2).translated(widget.mapTo(&f.frame, QPoint()));
        return MeasureDrawnText(image, inFrame, leastPixels);
    };
    const QImage filePage = f.frame.grab().toImage();
    std::vector<Measured> measured{
        {"instruction", in(filePage, *c.lblHelpTop, c.lblHelpTop->rect())},
        {"Deep scan", in(filePage, *c.chkDeepScan, CheckBoxPart(*c.chkDeepScan, QStyle::SE_CheckBoxContents))},
        {"Browse", in(filePage, *c.btnBrowse, c.btnBrowse->rect())},
        {"Ready", in(filePage, f.frame.ReadyLabel(), f.frame.ReadyLabel().rect())},
    };
    ScanIntoReview(f, SaveBackup(3, 100));
    f.View().ListModel().SetShownTicked(false); // the desktop's colours (ticked rows draw their own)
    const FolderNode* top = f.View().TreeModel().TopLevelNode(0);
    if (top != nullptr && top->ChildCount() > 0)
        c.folderTree->SelectNode(top->Child(0)); // a folder with a ".." row
    c.catalogueList->setFocus(); // some styles dim the rows of a list without focus
    QApplication::processEvents();
    const QImage results = f.frame.grab().toImage();
    const QHeaderView& found = *c.catalogueList->horizontalHeader();
    const QHeaderView& contents = *c.folderContents->horizontalHeader();
    const QRect parentRow = c.folderContents->visualRect(c.folderContents->model()->index(0, 0));
    const QRect sizeCell = c.catalogueList->visualRect(c.catalogueList->model()->index(0, 2));
    const QCheckBox& notOk = *c.filterBar->NotOkBox();
    measured.insert(measured.end(), {
        {"found-files heading", in(results, *found.viewport(), Heading(found, 0)), true},
        {"contents heading", in(results, *contents.viewport(), Heading(contents, 0)), true},
        {"found-files row", in(results, *c.catalogueList->viewport(), sizeCell)},
        {"\"..\" row", in(results, *c.folderContents->viewport(), parentRow.adjusted(kTextLeft, 0, 0, 0), 1)},
        {"not ok box", in(results, notOk, CheckBoxPart(notOk, QStyle::SE_CheckBoxContents))},
    });
    return measured;
}

// A heading as the style draws it in a bare table of its own: some styles
// give headings a softer ink than 4.5:1, which is theirs to choose.
double DesktopHeadingContrast()
{
    QStandardItemModel model(1, 1);
    model.setHorizontalHeaderLabels({QStringLiteral("Name")});
    QTableView table;
    table.setModel(&model);
    table.resize(300, 120);
    table.show();
    table.windowHandle()->requestActivate(); // headings of an active window, as in the window measured
    if (!QTest::qWaitForWindowActive(&table))
        return 4.5;
    const QImage image = table.grab().toImage();
    const QHeaderView& header = *table.horizontalHeader();
    const QRect name = Heading(header, 0).adjusted(2, 2, -2, -2);
    return MeasureDrawnText(image, name.translated(header.viewport()->mapTo(&table, QPoint()))).ratio;
}

} // namespace

TEST(ThemeContrast, EveryTextReadsUnderDarkDesktopStyles)
{
    for (const QString name : {"Fusion", "Adwaita-Dark"}) {
        QStyle* style = QStyleFactory::create(name);
        if (style == nullptr)
            continue; // not installed here
        SCOPED_TRACE(name.toStdString());
        const StyleKept kept;
        QApplication::setStyle(style);
        QApplication::setPalette(name == "Fusion" ? DarkDesktopPalette() : style->standardPalette());
        const double heading = std::min(4.5, DesktopHeadingContrast() - 0.1);
        WindowFixture f;
        f.frame.windowHandle()->requestActivate(); // drawn as the active window
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f.frame));
        const QCheckBox& deep = *f.Controls().chkDeepScan;
        const QRect box = CheckBoxPart(deep, QStyle::SE_CheckBoxIndicator).adjusted(3, 3, -3, -3);
        const QImage page = f.frame.grab().toImage();
        EXPECT_GE(MeasureDrawnText(page, box.translated(deep.mapTo(&f.frame, QPoint()))).ground.lightness(), 180)
            << "an unticked box is clear";
        for (const Measured& m : MeasurePages(f))
            EXPECT_GE(m.drawn.ratio, m.desktops ? heading : 4.5)
                << m.text << ": " << m.drawn.ink.name().toStdString() << " on " << m.drawn.ground.name().toStdString();
    }
}

// The red of warnings and ticked rows, on each surface it is drawn on: the
// status bar's blue, the hint's orange band and the ticked rows' pale rose.
TEST(ThemeContrast, TheWarningRedReadsOnEverySurfaceItIsDrawnOn)
{
    for (const QColor& surface : {QColor(113, 177, 241), QColor(255, 210, 87), QColor(248, 233, 243)})
        EXPECT_GE(ContrastRatio(WarningRed(), surface), 4.5) << surface.name().toStdString();
}
