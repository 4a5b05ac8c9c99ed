#pragma once
// The faint rings of a tape reel that decorate the corners of the view's
// header and of the dialogs.

#include <QPainter>
#include <QPointF>

namespace Artwork {

// Five rings around `centre`, the innermost of `radius`, fading outwards.
void PaintReelRings(QPainter& painter, const QPointF& centre, qreal radius);

} // namespace Artwork
