#include "artwork_rings.h"

namespace Artwork {

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
