// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces of the look the view and the frame build on: where the five
// background pieces go, the hover button's images and status text, and the
// label fonts given by cell height.

#include "artwork.h"
#include "gradient_static.h"
#include "hover_button.h"
#include "label_font.h"
#include "view_background.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QMainWindow>
#include <QStatusBar>

#include <gtest/gtest.h>

namespace {

TEST(ViewBackgroundTest, PiecesGoWhereTheLayoutSays)
{
    const ViewBackgroundPieces pieces = Artwork::ViewBackground(1.0);
    struct {
        QSize client;
        ViewBackgroundRects expected;
    } const cases[] = {
        { { 1000, 620 },
            { { 0, 0, 578, 199 }, { 863, 0, 137, 199 }, { 578, 0, 285, 199 }, { 0, 552, 1000, 68 },
                { 0, 197, 1000, 358 } } },
        { { 870, 480 },
            { { 0, 0, 578, 199 }, { 733, 0, 137, 199 }, { 578, 0, 155, 199 }, { 0, 412, 870, 68 },
                { 0, 197, 870, 218 } } },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.client.width());
        const ViewBackgroundRects rects = LayOutViewBackground(test.client, pieces);
        EXPECT_EQ(rects.headerLeft, test.expected.headerLeft);
        EXPECT_EQ(rects.headerRight, test.expected.headerRight);
        EXPECT_EQ(rects.headerMiddle, test.expected.headerMiddle);
        EXPECT_EQ(rects.footer, test.expected.footer);
        EXPECT_EQ(rects.body, test.expected.body);
    }
}

TEST(HoverButtonTest, ShowsTheHoverImageAndStatusTextWhileThePointerIsOver)
{
    QMainWindow window;
    QStatusBar* statusBar = window.statusBar();
    auto* button = new CHoverButton(&window);
    const QPixmap normal = Artwork::ToolbarButton(Artwork::ToolbarCommand::kAddFile, Artwork::ButtonFace::kNormal, 2.0);
    const QPixmap hover = Artwork::ToolbarButton(Artwork::ToolbarCommand::kAddFile, Artwork::ButtonFace::kHover, 2.0);
    button->SetImages(normal, hover);
    button->SetStatusText(QStringLiteral("Add File to repair"));
    EXPECT_EQ(button->size(), QSize(58, 50));

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button, &enter);
    EXPECT_TRUE(button->IsHovered());
    EXPECT_EQ(button->CurrentImage().cacheKey(), hover.cacheKey());
    EXPECT_EQ(statusBar->currentMessage(), QStringLiteral("Add File to repair"));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_FALSE(button->IsHovered());
    EXPECT_EQ(button->CurrentImage().cacheKey(), normal.cacheKey());
    EXPECT_TRUE(statusBar->currentMessage().isEmpty());
}

TEST(LabelTest, CellHeightFontFitsTheCell)
{
    const QFont font = CellHeightFont(QStringLiteral("Arial"), 14);
    EXPECT_LE(QFontMetrics(font).height(), 14);
    EXPECT_GE(font.pixelSize(), 10);
}

TEST(LabelTest, GradientLabelKeepsTextAndColours)
{
    CGradientStatic label;
    label.SetGradient(QColor(255, 252, 179), QColor(255, 186, 16));
    label.SetTextColor(Qt::red);
    label.SetText(QStringLiteral("1.\tselect\n2.\tPress Next button"));
    EXPECT_EQ(label.Text(), QStringLiteral("1.\tselect\n2.\tPress Next button"));
    EXPECT_EQ(label.TextColor(), QColor(Qt::red));
    EXPECT_EQ(label.RightColor(), QColor(255, 186, 16));
}

} // namespace
