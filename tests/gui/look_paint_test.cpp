// SPDX-License-Identifier: GPL-3.0-or-later
// What the look actually paints: the body over the header's and footer's
// overlaps, the menu's icon strip and selection, a dialog's background, and a
// label that repaints the moment its text changes.

#include "bc_menu_style.h"
#include "bitmap_dialog.h"
#include "gradient_static.h"
#include "view_background.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QPixmap Solid(const QSize& size, const QColor& color)
{
    QPixmap pixmap(size);
    pixmap.fill(color);
    return pixmap;
}

QColor At(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

TEST(ViewBackgroundPaintTest, BodyCoversTheOverlapsAndNothingIsLeftBare)
{
    const ViewBackgroundPieces pieces { Solid({ 578, 199 }, Qt::red), Solid({ 137, 199 }, Qt::green),
        Solid({ 69, 199 }, Qt::blue), Solid({ 779, 68 }, Qt::yellow), Solid({ 407, 160 }, Qt::cyan) };
    QImage image(1000, 620, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    PaintViewBackground(painter, image.size(), pieces);
    painter.end();
    EXPECT_EQ(At(image, 10, 196), QColor(Qt::red));
    EXPECT_EQ(At(image, 10, 197), QColor(Qt::cyan));    // two pixels above the header's bottom
    EXPECT_EQ(At(image, 700, 100), QColor(Qt::blue));   // the stretched middle
    EXPECT_EQ(At(image, 999, 100), QColor(Qt::green));
    EXPECT_EQ(At(image, 999, 554), QColor(Qt::cyan));   // three pixels below the footer's top
    EXPECT_EQ(At(image, 999, 555), QColor(Qt::yellow));
    EXPECT_EQ(At(image, 999, 619), QColor(Qt::yellow));
}

QImage RenderMenu(const MenuLook& look, bool selectFirst)
{
    BCMenuStyle style(look);
    QMenu menu;
    menu.setStyle(&style);
    QAction* first = menu.addAction(QStringLiteral("&Add\tCtrl+A"));
    menu.addSeparator();
    menu.addAction(QStringLiteral("E&xit"));
    menu.popup(QPoint(0, 0));
    if (selectFirst)
        menu.setActiveAction(first);
    QImage image = menu.grab().toImage();
    menu.hide();
    return image;
}

TEST(MenuPaintTest, GradientStripAndSelection)
{
    MenuLook look;
    look.gradientStart = QColor(200, 0, 0);
    look.gradientEnd = QColor(255, 255, 255);
    const QImage image = RenderMenu(look, true);
    const int middle = image.height() - 10; // inside the last, unselected item
    const QColor stripLeft = At(image, 2, middle);
    EXPECT_GT(stripLeft.red(), 190);
    EXPECT_LT(stripLeft.green(), 30);                          // the start colour at the left
    EXPECT_GT(At(image, look.gradientWidth - 2, middle).green(), 200); // fading to white
    EXPECT_EQ(At(image, image.width() - 30, middle), QColor(Qt::white));
    EXPECT_NE(At(image, image.width() / 2, 8), QColor(Qt::white)); // the selected item is tinted
}

TEST(MenuPaintTest, FlatStripWithoutGradient)
{
    MenuLook look;
    look.showGradient = false;
    look.gradientStart = QColor(200, 0, 0);
    const QImage image = RenderMenu(look, false);
    const int middle = image.height() - 10;
    EXPECT_EQ(At(image, 3, middle), At(image, 20, middle)); // one flat colour across the strip
    EXPECT_LT(At(image, 3, middle).red() - At(image, 3, middle).green(), 20); // no trace of the start colour
}

TEST(BitmapDialogTest, PaintsItsImageAtTheTopLeft)
{
    CBitmapDialog dialog;
    dialog.resize(200, 120);
    dialog.SetBackground(Solid({ 50, 40 }, Qt::magenta));
    const QImage image = dialog.grab().toImage();
    EXPECT_EQ(At(image, 0, 0), QColor(Qt::magenta));
    EXPECT_EQ(At(image, 49, 39), QColor(Qt::magenta));
    EXPECT_NE(At(image, 60, 60), QColor(Qt::magenta));
}

class CountingLabel : public CGradientStatic {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++paints;
        CGradientStatic::paintEvent(event);
    }
};

TEST(LabelPaintTest, SettingTheTextRepaintsAtOnce)
{
    // A worker that sets the text and goes on must find the label current,
    // without the window thread getting round to a queued update.
    CountingLabel label;
    label.resize(200, 20);
    label.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&label));
    const int before = label.paints;
    label.SetText(QStringLiteral("Total File Found : 12"));
    EXPECT_GT(label.paints, before);
}

} // namespace
