// SPDX-License-Identifier: GPL-3.0-or-later
// Every image comes at its size in device-independent pixels and sharp at a
// device pixel ratio of 2; the view's background pieces are opaque, since the
// view never erases behind them.

#include "artwork.h"

#include <QImage>

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace Artwork;

constexpr qreal kRatio = 2.0;

struct ImageCase {
    const char* name;
    std::function<QPixmap()> make;
    QSize size;
    bool opaque;
};

bool HasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0)
                return true;
        }
    }
    return false;
}

bool CornersOpaque(const QImage& image)
{
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    return qAlpha(image.pixel(0, 0)) == 255 && qAlpha(image.pixel(right, 0)) == 255
        && qAlpha(image.pixel(0, bottom)) == 255 && qAlpha(image.pixel(right, bottom)) == 255;
}

TEST(ArtworkTest, ImagesHaveTheirSizesAtRatioTwo)
{
    const ImageCase cases[] = {
        { "header left", [] { return ViewBackgroundPiece(ViewPiece::kHeaderLeft, kRatio); }, { 578, 199 }, true },
        { "header right", [] { return ViewBackgroundPiece(ViewPiece::kHeaderRight, kRatio); }, { 137, 199 }, true },
        { "header middle", [] { return ViewBackgroundPiece(ViewPiece::kHeaderMiddle, kRatio); }, { 69, 199 }, true },
        { "footer", [] { return ViewBackgroundPiece(ViewPiece::kFooter, kRatio); }, { 779, 68 }, true },
        { "body", [] { return ViewBackgroundPiece(ViewPiece::kBody, kRatio); }, { 407, 160 }, true },
        { "toolbar", [] { return ToolbarButton(ToolbarCommand::kUpdate, ButtonFace::kNormal, kRatio); }, { 58, 50 }, false },
        { "toolbar hover", [] { return ToolbarButton(ToolbarCommand::kAddFile, ButtonFace::kHover, kRatio); }, { 58, 50 }, false },
        { "next", [] { return NavigationButton(NavigationCommand::kNext, ButtonFace::kNormal, kRatio); }, { 50, 38 }, false },
        { "stop hover", [] { return NavigationButton(NavigationCommand::kStop, ButtonFace::kHover, kRatio); }, { 50, 38 }, false },
        { "logo", [] { return Logo(ButtonFace::kNormal, kRatio); }, { 133, 63 }, false },
        { "about", [] { return AboutBackground(kRatio); }, kAboutSize, true },
        { "dialog", [] { return DialogBackground(QSize(369, 179), kRatio); }, { 369, 179 }, true },
        { "message", [] { return MessageIcon(MessageIconKind::kQuestion, kRatio); }, { 32, 32 }, false },
    };
    for (const ImageCase& test : cases) {
        SCOPED_TRACE(test.name);
        const QPixmap pixmap = test.make();
        EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), test.size);
        EXPECT_EQ(pixmap.devicePixelRatio(), kRatio);
        EXPECT_EQ(pixmap.size(), test.size * kRatio);
        const QImage image = pixmap.toImage();
        EXPECT_TRUE(HasInk(image));
        if (test.opaque) {
            EXPECT_TRUE(CornersOpaque(image));
        }
    }
}

TEST(ArtworkTest, EachFaceIsItsOwnImage)
{
    // A cache key that missed the face or the command would hand out one
    // image for two buttons.
    const QImage normal = ToolbarButton(ToolbarCommand::kSave, ButtonFace::kNormal, kRatio).toImage();
    EXPECT_NE(normal, ToolbarButton(ToolbarCommand::kSave, ButtonFace::kHover, kRatio).toImage());
    EXPECT_NE(normal, ToolbarButton(ToolbarCommand::kSettings, ButtonFace::kNormal, kRatio).toImage());
    EXPECT_NE(normal, ToolbarButton(ToolbarCommand::kSave, ButtonFace::kNormal, 1.0).toImage());
}

TEST(ArtworkTest, MenuIconsAreSharpAtRatioTwo)
{
    for (int index = 0; index < 7; ++index) {
        SCOPED_TRACE(index);
        const QPixmap pixmap = MenuIconImage(MenuIcon(index)).pixmap(QSize(16, 16), kRatio);
        EXPECT_EQ(pixmap.size(), QSize(32, 32));
        EXPECT_TRUE(HasInk(pixmap.toImage()));
    }
}

TEST(ArtworkTest, ApplicationIconHasEverySize)
{
    const QList<QSize> sizes = ApplicationIcon().availableSizes();
    for (int edge : kApplicationIconEdges) {
        SCOPED_TRACE(edge);
        EXPECT_TRUE(sizes.contains(QSize(edge, edge)));
        EXPECT_EQ(ApplicationIconImage(edge).size(), QSize(edge, edge));
    }
}

} // namespace
