// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parts the glyphs are built from, in design-grid units (0..32).

#include "artwork_canvas.h"

#include <QColor>
#include <QPainterPath>
#include <QString>

namespace Artwork::Parts {

// Fills `path` with a top-to-bottom gradient and outlines it.
void Shape(QPainter& painter, const DesignGrid& grid, const QPainterPath& path, const QColor& top,
    const QColor& bottom, const QColor& outline, qreal stroke = 1.2);

void Document(QPainter& painter, const DesignGrid& grid, qreal dx = 0);
void PlusBadge(QPainter& painter, const DesignGrid& grid, const QPointF& centre, qreal radius);
void Wrench(QPainter& painter, const DesignGrid& grid);
void Folder(QPainter& painter, const DesignGrid& grid, bool front);
void DownArrow(QPainter& painter, const DesignGrid& grid);
void Gear(QPainter& painter, const DesignGrid& grid);
void Globe(QPainter& painter, const DesignGrid& grid);
void CircleArrows(QPainter& painter, const DesignGrid& grid);
// A round badge with one letter ("?", "i").
void LetterBadge(QPainter& painter, const DesignGrid& grid, const QString& letter, const QColor& light,
    const QColor& dark, const QColor& letterColor);
void WarningTriangle(QPainter& painter, const DesignGrid& grid);
void ErrorBadge(QPainter& painter, const DesignGrid& grid);
void Door(QPainter& painter, const DesignGrid& grid);
void ExitArrow(QPainter& painter, const DesignGrid& grid);
// A broad arrow pointing right (or left, mirrored).
void NavigationArrow(QPainter& painter, const DesignGrid& grid, bool left);
void StopSign(QPainter& painter, const DesignGrid& grid);

} // namespace Artwork::Parts
