// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wizard view's background: five images placed over the client area.
// The header's left and right pieces keep their size at the top corners, the
// middle piece stretches across the gap between them; the footer stretches
// across the bottom; the body stretches over everything between, from two
// pixels above the header's bottom to three pixels below the footer's top.
// The body is painted last, so it covers those overlaps.

#include <QPixmap>
#include <QRect>
#include <QSize>

struct ViewBackgroundPieces {
    QPixmap headerLeft;
    QPixmap headerRight;
    QPixmap headerMiddle;
    QPixmap footer;
    QPixmap body;
};

struct ViewBackgroundRects {
    QRect headerLeft;
    QRect headerRight;
    QRect headerMiddle;
    QRect footer;
    QRect body;
};

// Where each piece goes in a client area of `client` size, given the
// pieces' own sizes (device-independent pixels).
ViewBackgroundRects LayOutViewBackground(const QSize& client, const ViewBackgroundPieces& pieces);

// Paints the pieces in order: header left, header right, header middle,
// footer, body.
void PaintViewBackground(QPainter& painter, const QSize& client, const ViewBackgroundPieces& pieces);
