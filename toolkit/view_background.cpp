// SPDX-License-Identifier: GPL-3.0-or-later
#include "view_background.h"

#include <QPainter>

namespace {

constexpr int kBodyAboveHeaderBottom = 2;
constexpr int kBodyBelowFooterTop = 3;

QSize SizeOf(const QPixmap& pixmap)
{
    return pixmap.deviceIndependentSize().toSize();
}

} // namespace

ViewBackgroundRects LayOutViewBackground(const QSize& client, const ViewBackgroundPieces& pieces)
{
    const int width = client.width();
    const int height = client.height();
    const QSize left = SizeOf(pieces.headerLeft);
    const QSize right = SizeOf(pieces.headerRight);
    const int middleHeight = SizeOf(pieces.headerMiddle).height();
    const int footerHeight = SizeOf(pieces.footer).height();

    ViewBackgroundRects rects;
    rects.headerLeft = QRect(QPoint(0, 0), left);
    rects.headerRight = QRect(QPoint(width - right.width(), 0), right);
    rects.headerMiddle = QRect(left.width(), 0, width - right.width() - left.width(), middleHeight);
    rects.footer = QRect(0, height - footerHeight, width, footerHeight);
    const int bodyTop = left.height() - kBodyAboveHeaderBottom;
    const int bodyBottom = height - footerHeight + kBodyBelowFooterTop;
    rects.body = QRect(0, bodyTop, width, bodyBottom - bodyTop);
    return rects;
}

void PaintViewBackground(QPainter& painter, const QSize& client, const ViewBackgroundPieces& pieces)
{
    const ViewBackgroundRects rects = LayOutViewBackground(client, pieces);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rects.headerLeft, pieces.headerLeft);
    painter.drawPixmap(rects.headerRight, pieces.headerRight);
    if (rects.headerMiddle.width() > 0)
        painter.drawPixmap(rects.headerMiddle, pieces.headerMiddle);
    painter.drawPixmap(rects.footer, pieces.footer);
    if (rects.body.height() > 0)
        painter.drawPixmap(rects.body, pieces.body);
    painter.restore();
}
