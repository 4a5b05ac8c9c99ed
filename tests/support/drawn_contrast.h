// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The contrast of a text as it was drawn, read from a grabbed image: the
// commonest colour of an area is what lies behind, the colour drawn there
// (on a few pixels at least) that stands out most from it is the text's ink.

#include "contrast.h"

#include <QHash>
#include <QImage>
#include <QRect>

struct DrawnText {
    QColor ink;
    QColor ground;
    double ratio = 1.0;
};

inline DrawnText MeasureDrawnText(const QImage& image, const QRect& area, int leastPixels = 3)
{
    QHash<QRgb, int> counts;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000u];
    DrawnText drawn;
    int commonest = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > commonest) {
            commonest = it.value();
            drawn.ground = QColor(it.key());
        }
    drawn.ink = drawn.ground;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double ratio = ContrastRatio(QColor(it.key()), drawn.ground);
        if (it.value() >= leastPixels && ratio > drawn.ratio) {
            drawn.ratio = ratio;
            drawn.ink = QColor(it.key());
        }
    }
    return drawn;
}

