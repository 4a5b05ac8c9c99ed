// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The product's mark: a warm tile with a backup cartridge and the blue arrow
// that brings its contents back. Used by the application icon, the logo, the
// view's header and the About box.

#include <QPainter>
#include <QRectF>

namespace Artwork {

// Paints the mark into the square `box`; `simple` leaves out the fine detail
// that small sizes cannot show.
void PaintEmblem(QPainter& painter, const QRectF& box, bool simple = false);

} // namespace Artwork
