// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ornaments shared by the view's background and the dialogs: the warm band
// along the top and the faint rings of a tape reel in a corner.

#include <QPainter>
#include <QPointF>
#include <QRect>

namespace Artwork {

// The orange-to-yellow band, deepest at the top, with a darker line below it.
void PaintWarmBand(QPainter& painter, const QRect& area);

// Five rings around `centre`, the innermost of `radius`, fading outwards.
void PaintReelRings(QPainter& painter, const QPointF& centre, qreal radius);

} // namespace Artwork
