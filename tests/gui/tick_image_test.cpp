// SPDX-License-Identifier: GPL-3.0-or-later
// The partly ticked box: a grey that no one takes for white or for the
// background of a dark list, with its green tick still plain, at 100 % and
// 200 %.

#include "browser_images.h"
#include "contrast.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <algorithm>

TEST(TickImage, PartlyTickedBoxIsAClearGreyWithAPlainTick)
{
    for (const qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        const QImage image = BrowserImages::StateImagePixmap(StateImage::GreyTicked, ratio).toImage();
        const auto at = [&](double x, double y) { return image.pixelColor((QPointF(x, y) * ratio).toPoint()); };
        const QColor fill = at(4, 12); // inside the box, away from the tick
        EXPECT_GE(ContrastRatio(fill, Qt::white), 3.0) << fill.name().toStdString();
        EXPECT_GE(ContrastRatio(fill, QColor(30, 30, 30)), 3.0) << fill.name().toStdString();
        int greenest = 0; // how far green leads red at the tick's plainest pixel
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                greenest = std::max(greenest, image.pixelColor(x, y).green() - image.pixelColor(x, y).red());
        EXPECT_GT(greenest, 100);
    }
}
