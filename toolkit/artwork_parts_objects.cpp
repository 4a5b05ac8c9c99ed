// SPDX-License-Identifier: GPL-3.0-or-later
// The things the glyphs show: a document, a folder, a wrench, a gear, a
// globe, a door.

#include "artwork_glyph_parts.h"
#include "artwork_palette.h"

#include <QRadialGradient>
#include <QtMath>

namespace Artwork::Parts {

namespace {

void Line(QPainter& painter, const DesignGrid& grid, const QColor& color, qreal width, const QPointF& from,
    const QPointF& to)
{
    painter.setPen(QPen(color, grid.Stroke(width, 0.9), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
}

QPainterPath ArrowHead(const QPointF& tip, qreal angleDegrees, qreal size)
{
    QPainterPath head;
    head.moveTo(0, 0);
    head.lineTo(-size, -size * 0.75);
    head.lineTo(-size, size * 0.75);
    head.closeSubpath();
    QTransform place;
    place.translate(tip.x(), tip.y());
    place.rotate(angleDegrees);
    return place.map(head);
}

} // namespace

void Document(QPainter& painter, const DesignGrid& grid, qreal dx)
{
    painter.save();
    painter.translate(dx, 0);
    QPainterPath page;
    page.moveTo(7, 3);
    page.lineTo(20, 3);
    page.lineTo(26, 9);
    page.lineTo(26, 29);
    page.lineTo(7, 29);
    page.closeSubpath();
    Shape(painter, grid, page, Palette::kPaper, Palette::kCreamDeep, Palette::kInk);
    QPainterPath fold;
    fold.moveTo(20, 3);
    fold.lineTo(20, 9);
    fold.lineTo(26, 9);
    fold.closeSubpath();
    Shape(painter, grid, fold, Palette::kCreamDeep, Palette::kAmber, Palette::kInk);
    Line(painter, grid, Palette::kDeepOrange, 1.8, QPointF(10.5, 13.5), QPointF(22, 13.5));
    Line(painter, grid, Palette::kDeepOrange, 1.8, QPointF(10.5, 18), QPointF(20, 18));
    Line(painter, grid, Palette::kDeepOrange, 1.8, QPointF(10.5, 22.5), QPointF(16.5, 22.5));
    painter.restore();
}

void PlusBadge(QPainter& painter, const DesignGrid& grid, const QPointF& centre, qreal radius)
{
    QPainterPath circle;
    circle.addEllipse(centre, radius, radius);
    Shape(painter, grid, circle, Palette::kSky.lighter(110), Palette::kBlue, Palette::kNavy, 1.1);
    const qreal arm = radius * 0.55;
    Line(painter, grid, Qt::white, 2.4, centre - QPointF(0, arm), centre + QPointF(0, arm));
    Line(painter, grid, Qt::white, 2.4, centre - QPointF(arm, 0), centre + QPointF(arm, 0));
}

void Wrench(QPainter& painter, const DesignGrid& grid)
{
    QPainterPath head;
    head.addEllipse(QPointF(0, 0), 5.6, 5.6);
    QPainterPath handle;
    handle.addRoundedRect(QRectF(2, -2.3, 17, 4.6), 2.3, 2.3);
    QPainterPath jaw;
    jaw.addRect(QRectF(-7, -2.1, 6.8, 4.2));
    const QPainterPath wrench = head.united(handle).subtracted(jaw);
    QTransform place;
    place.translate(24.5, 13);
    place.rotate(135);
    Shape(painter, grid, place.map(wrench), QColor(214, 228, 244), Palette::kBlue, Palette::kNavy, 1.2);
}

void Folder(QPainter& painter, const DesignGrid& grid, bool front)
{
    QPainterPath path;
    if (front) {
        path.moveTo(3, 28);
        path.lineTo(6.5, 15);
        path.lineTo(31, 15);
        path.lineTo(27.5, 28);
    } else {
        path.moveTo(3, 28);
        path.lineTo(3, 8);
        path.lineTo(11, 8);
        path.lineTo(13.5, 11);
        path.lineTo(28, 11);
        path.lineTo(28, 28);
    }
    path.closeSubpath();
    if (front)
        Shape(painter, grid, path, Palette::kPaleYellow, Palette::kAmber, Palette::kBurnt);
    else
        Shape(painter, grid, path, Palette::kAmber, Palette::kDeepOrange, Palette::kBurnt);
}

void DownArrow(QPainter& painter, const DesignGrid& grid)
{
    QPainterPath arrow;
    arrow.moveTo(14, 1);
    arrow.lineTo(20, 1);
    arrow.lineTo(20, 10);
    arrow.lineTo(24.5, 10);
    arrow.lineTo(17, 19);
    arrow.lineTo(9.5, 10);
    arrow.lineTo(14, 10);
    arrow.closeSubpath();
    Shape(painter, grid, arrow, Palette::kSky.lighter(115), Palette::kBlue, Palette::kNavy, 1.1);
}

void Gear(QPainter& painter, const DesignGrid& grid)
{
    const QPointF centre(16, 16);
    QPainterPath gear;
    gear.addEllipse(centre, 10, 10);
    for (int tooth = 0; tooth < 8; ++tooth) {
        QPainterPath cog;
        cog.addRoundedRect(QRectF(-2.8, -14.5, 5.6, 7), 1.2, 1.2);
        QTransform place;
        place.translate(centre.x(), centre.y());
        place.rotate(tooth * 45.0 + 22.5);
        gear = gear.united(place.map(cog));
    }
    QPainterPath hole;
    hole.addEllipse(centre, 4.2, 4.2);
    Shape(painter, grid, gear.subtracted(hole), QColor(255, 232, 160), Palette::kDeepOrange, Palette::kInk, 1.2);
    QPainterPath ring;
    ring.addEllipse(centre, 6.8, 6.8);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 250, 220, 170), grid.Stroke(1.2, 0.6)));
    painter.drawPath(ring);
}

void Globe(QPainter& painter, const DesignGrid& grid)
{
    const QPointF centre(16, 16);
    QRadialGradient sea(centre - QPointF(3.5, 4), 13);
    sea.setColorAt(0, QColor(206, 230, 252));
    sea.setColorAt(0.6, Palette::kSky);
    sea.setColorAt(1, Palette::kBlue);
    painter.setBrush(sea);
    painter.setPen(QPen(Palette::kNavy, grid.Stroke(1.1, 0.9)));
    painter.drawEllipse(centre, 10, 10);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 170), grid.Stroke(1.0, 0.6)));
    painter.drawEllipse(centre, 4.5, 10);
    painter.drawLine(QPointF(6, 16), QPointF(26, 16));
    painter.drawLine(QPointF(8, 11), QPointF(24, 11));
    painter.drawLine(QPointF(8, 21), QPointF(24, 21));
}

void CircleArrows(QPainter& painter, const DesignGrid& grid)
{
    const QRectF orbit(2.5, 2.5, 27, 27);
    const qreal width = grid.Stroke(2.8, 1.2);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Palette::kDeepOrange, width, Qt::SolidLine, Qt::FlatCap));
    // Two arcs of 120 degrees, each ending in a head that follows the circle.
    for (int half = 0; half < 2; ++half) {
        const qreal start = 20 + half * 180;
        painter.drawArc(orbit, int(start * 16), int(120 * 16));
        const qreal end = start + 120 + 14; // the head runs on past the arc
        const qreal radians = qDegreesToRadians(end);
        const QPointF tip(16 + 13.5 * qCos(radians), 16 - 13.5 * qSin(radians));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Palette::kDeepOrange);
        painter.drawPath(ArrowHead(tip, -end - 90 + 10, 4.8));
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Palette::kDeepOrange, width, Qt::SolidLine, Qt::FlatCap));
    }
}

void Door(QPainter& painter, const DesignGrid& grid)
{
    QPainterPath frame;
    frame.addRect(QRectF(5, 3, 14, 26));
    Shape(painter, grid, frame, QColor(70, 52, 30), QColor(40, 28, 14), Palette::kInk);
    QPainterPath leaf;
    leaf.moveTo(5, 3);
    leaf.lineTo(13.5, 5.5);
    leaf.lineTo(13.5, 31);
    leaf.lineTo(5, 29);
    leaf.closeSubpath();
    Shape(painter, grid, leaf, Palette::kAmber, Palette::kBurnt, Palette::kInk);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Palette::kInk);
    painter.drawEllipse(QPointF(11.5, 17.5), 1.1, 1.1);
}

void ExitArrow(QPainter& painter, const DesignGrid& grid)
{
    QPainterPath arrow;
    arrow.moveTo(15, 14);
    arrow.lineTo(22, 14);
    arrow.lineTo(22, 9);
    arrow.lineTo(30.5, 17);
    arrow.lineTo(22, 25);
    arrow.lineTo(22, 20);
    arrow.lineTo(15, 20);
    arrow.closeSubpath();
    Shape(painter, grid, arrow, Palette::kRed.lighter(140), Palette::kRed, Palette::kRed.darker(160), 1.1);
}

} // namespace Artwork::Parts
