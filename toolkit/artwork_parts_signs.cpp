// SPDX-License-Identifier: GPL-3.0-or-later
// Badges, signs and arrows of the glyphs.

#include "artwork_glyph_parts.h"
#include "artwork_palette.h"

#include <QLinearGradient>

namespace Artwork::Parts {

namespace {

QPainterPath Circle(const QPointF& centre, qreal radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

// A white shine over the upper half of a round shape.
void Shine(QPainter& painter, const QPointF& centre, qreal radius)
{
    QLinearGradient shine(0, centre.y() - radius, 0, centre.y());
    shine.setColorAt(0, QColor(255, 255, 255, 150));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawEllipse(QPointF(centre.x(), centre.y() - radius * 0.42), radius * 0.78, radius * 0.52);
}

void Letter(QPainter& painter, const QString& letter, const QPointF& centre, qreal height, const QColor& color)
{
    QPainterPath path;
    path.addText(0, 0, LetteringFont(height), letter);
    const QRectF bounds = path.boundingRect();
    path.translate(centre - bounds.center());
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(path);
}

} // namespace

void Shape(QPainter& painter, const DesignGrid& grid, const QPainterPath& path, const QColor& top,
    const QColor& bottom, const QColor& outline, qreal stroke)
{
    const QRectF bounds = path.boundingRect();
    QLinearGradient fill(0, bounds.top(), 0, bounds.bottom());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    painter.setBrush(fill);
    QPen pen(outline, grid.Stroke(stroke, 0.9));
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(outline.isValid() ? pen : QPen(Qt::NoPen));
    painter.drawPath(path);
}

void LetterBadge(QPainter& painter, const DesignGrid& grid, const QString& letter, const QColor& light,
    const QColor& dark, const QColor& letterColor)
{
    const QPointF centre(16, 16);
    Shape(painter, grid, Circle(centre, 13.5), light, dark, dark.darker(140));
    Shine(painter, centre, 13.5);
    Letter(painter, letter, centre + QPointF(0, 0.5), 21, letterColor);
}

void WarningTriangle(QPainter& painter, const DesignGrid& grid)
{
    QPainterPath triangle;
    triangle.moveTo(16, 3);
    triangle.lineTo(30, 28);
    triangle.lineTo(2, 28);
    triangle.closeSubpath();
    Shape(painter, grid, triangle, Palette::kPaleYellow, Palette::kOrange, Palette::kBurnt, 1.5);
    Letter(painter, QStringLiteral("!"), QPointF(16, 19), 17, Palette::kInk);
}

void ErrorBadge(QPainter& painter, const DesignGrid& grid)
{
    const QPointF centre(16, 16);
    Shape(painter, grid, Circle(centre, 13.5), Palette::kRed.lighter(135), Palette::kRed, Palette::kRed.darker(150));
    Shine(painter, centre, 13.5);
    QPen cross(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(cross);
    painter.drawLine(QPointF(11, 11), QPointF(21, 21));
    painter.drawLine(QPointF(21, 11), QPointF(11, 21));
}

void NavigationArrow(QPainter& painter, const DesignGrid& grid, bool left)
{
    QPainterPath arrow;
    arrow.moveTo(4, 12.5);
    arrow.lineTo(16, 12.5);
    arrow.lineTo(16, 6);
    arrow.lineTo(28, 16);
    arrow.lineTo(16, 26);
    arrow.lineTo(16, 19.5);
    arrow.lineTo(4, 19.5);
    arrow.closeSubpath();
    if (left)
        arrow = QTransform(-1, 0, 0, 1, 32, 0).map(arrow);
    Shape(painter, grid, arrow, Palette::kSky.lighter(115), Palette::kBlue, Palette::kNavy, 1.3);
}

void StopSign(QPainter& painter, const DesignGrid& grid)
{
    QPainterPath square;
    square.addRoundedRect(QRectF(7, 7, 18, 18), 3.5, 3.5);
    Shape(painter, grid, square, Palette::kRed.lighter(140), Palette::kRed, Palette::kRed.darker(160), 1.3);
}

} // namespace Artwork::Parts
