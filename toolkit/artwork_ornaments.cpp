// SPDX-License-Identifier: GPL-3.0-or-later
#include "artwork_ornaments.h"

#include "artwork_palette.h"

#include <QLinearGradient>

namespace Artwork {

void PaintWarmBand(QPainter& painter, const QRect& area)
{
    QLinearGradient band(0, area.top(), 0, area.bottom() + 1);
    band.setColorAt(0, QColor(255, 176, 28));
    band.setColorAt(0.5, QColor(255, 198, 70));
    band.setColorAt(1, QColor(255, 222, 124));
    painter.fillRect(area, band);
    painter.fillRect(QRect(area.left(), area.bottom() + 1, area.width(), 1), QColor(255, 250, 222));
    painter.fillRect(QRect(area.left(), area.bottom() + 2, area.width(), 1), Palette::kDeepOrange);
}

void PaintReelRings(QPainter& painter, const QPointF& centre, qreal radius)
{
    constexpr int kRings = 5;
    constexpr qreal kPitch = 20;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < kRings; ++ring) {
        painter.setPen(QPen(QColor(232, 135, 10, 34 - ring * 5), 5));
        const qreal r = radius + ring * kPitch;
        painter.drawEllipse(centre, r, r);
    }
    painter.restore();
}

} // namespace Artwork
