// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The symbols of the artwork, each drawn on a 32-unit design grid and scaled
// into any square, so that toolbar buttons, menu icons and message icons
// share one hand.

#include <QPainter>
#include <QRectF>

namespace Artwork {

enum class Glyph {
    kAddFile, kRepair, kSave, kSettings, kUpdate, kHelp, kAbout, kExit,
    kNext, kBack, kStop, kQuestion, kInformation, kWarning, kError,
};

void PaintGlyph(QPainter& painter, Glyph glyph, const QRectF& box);

} // namespace Artwork
