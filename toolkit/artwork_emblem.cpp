// SPDX-License-Identifier: GPL-3.0-or-later
#include "artwork_emblem.h"

#include "artwork_canvas.h"
#include "artwork_glyph_parts.h"
#include "artwork_palette.h"

#include <QLinearGradient>

namespace Artwork {

namespace {

constexpr qreal kGrid = 64;

void Tile(QPainter& painter, const DesignGrid& grid)
{
    QPainterPath tile;
    tile.addRoundedRect(QRectF(2, 2, 60, 60), 14, 14);
    QLinearGradient fill(0, 2, 0, 62);
    fill.setColorAt(0, QColor(255, 230, 120));
    fill.setColorAt(0.55, Palette::kOrange);
    fill.setColorAt(1, Palette::kDeepOrange);
    painter.setBrush(fill);
    painter.setPen(QPen(Palette::kBurnt, grid.Stroke(1.6, 0.8)));
    painter.drawPath(tile);
    QPainterPath gloss;
    gloss.addRoundedRect(QRectF(5, 4.5, 54, 26), 11, 11);
    QLinearGradient shine(0, 4.5, 0, 30.5);
    shine.setColorAt(0, QColor(255, 255, 255, 120));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawPath(gloss);
}

void Reel(QPainter& painter, const DesignGrid& grid, const QPointF& centre)
{
    painter.setPen(QPen(Palette::kInk, grid.Stroke(1.4, 0.7)));
    painter.setBrush(Palette::kAmber);
    painter.drawEllipse(centre, 5.2, 5.2);
    painter.setBrush(Palette::kInk);
    painter.drawEllipse(centre, 1.6, 1.6);
    for (int spoke = 0; spoke < 3; ++spoke) {
        painter.save();
        painter.translate(centre);
        painter.rotate(spoke * 120.0);
        painter.drawLine(QPointF(0, -1.8), QPointF(0, -4.4));
        painter.restore();
    }
}

// At icon sizes the reels are two plain dots and the label is left out.
void SimpleReels(QPainter& painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(Palette::kAmber);
    painter.drawEllipse(QPointF(24.5, 26.5), 5, 5);
    painter.drawEllipse(QPointF(39.5, 26.5), 5, 5);
}

void Cartridge(QPainter& painter, const DesignGrid& grid, bool simple)
{
    QPainterPath body;
    body.addRoundedRect(QRectF(11, 15, 42, 30), 4.5, 4.5);
    Parts::Shape(painter, grid, body, Palette::kPaper, Palette::kCreamDeep, Palette::kInk, 2);
    QPainterPath window;
    window.addRoundedRect(QRectF(17.5, 20, 29, 13), 3, 3);
    Parts::Shape(painter, grid, window, QColor(110, 78, 36), QColor(70, 46, 18), simple ? QColor() : Palette::kInk, 1.2);
    if (simple) {
        SimpleReels(painter);
        return;
    }
    Reel(painter, grid, QPointF(25, 26.5));
    Reel(painter, grid, QPointF(39, 26.5));
    painter.setPen(QPen(Palette::kDeepOrange, grid.Stroke(3, 1)));
    painter.drawLine(QPointF(19, 39.5), QPointF(45, 39.5));
}

void RescueArrow(QPainter& painter, const DesignGrid& grid)
{
    // A sweep up from the lower left round to the upper right of the tile.
    QPainterPath sweep;
    sweep.moveTo(9, 44);
    sweep.cubicTo(14, 62, 46, 62, 53, 44);
    QPen outline(Palette::kNavy, grid.Stroke(7.5, 2.4), Qt::SolidLine, Qt::RoundCap);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(outline);
    painter.drawPath(sweep);
    painter.setPen(QPen(Palette::kSky.lighter(105), grid.Stroke(4.5, 1.4), Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(sweep);
    QPainterPath head;
    head.moveTo(58, 33);
    head.lineTo(60.5, 49);
    head.lineTo(46, 44);
    head.closeSubpath();
    Parts::Shape(painter, grid, head, Palette::kSky.lighter(110), Palette::kBlue, Palette::kNavy, 1.4);
}

} // namespace

void PaintEmblem(QPainter& painter, const QRectF& box, bool simple)
{
    painter.save();
    PrepareSmooth(painter);
    const DesignGrid grid(painter, box, kGrid);
    Tile(painter, grid);
    Cartridge(painter, grid, simple);
    RescueArrow(painter, grid);
    painter.restore();
}

} // namespace Artwork
