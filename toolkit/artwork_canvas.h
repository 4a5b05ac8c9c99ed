// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers shared by the artwork painters: a transparent canvas at a device
// pixel ratio, a painter set up for smooth drawing, a design grid, and the
// pixmap cache.

#include <QPainter>
#include <QPixmap>
#include <QRectF>
#include <QString>

#include <functional>

namespace Artwork {

// A transparent pixmap of `size` device-independent pixels at `ratio`.
QPixmap Canvas(const QSize& size, qreal ratio);

// Antialiased drawing with smooth pixmap scaling.
void PrepareSmooth(QPainter& painter);

// Maps a square design grid of `grid` units onto `box`, until destroyed.
class DesignGrid {
public:
    DesignGrid(QPainter& painter, const QRectF& box, qreal grid);
    ~DesignGrid();
    DesignGrid(const DesignGrid&) = delete;
    DesignGrid& operator=(const DesignGrid&) = delete;

    // A pen width in grid units that is never thinner than `minimumPixels`
    // device-independent pixels.
    qreal Stroke(qreal units, qreal minimumPixels = 1.0) const;

private:
    QPainter& m_painter;
    qreal m_scale;
};

// The pixmap under `key` at `ratio`, painted by `paint` the first time.
QPixmap Cached(const QString& key, qreal ratio, const std::function<QPixmap()>& paint);

// A bold sans-serif face at `pixels` height for lettering in images.
QFont LetteringFont(qreal pixels, bool bold = true);

} // namespace Artwork
