// SPDX-License-Identifier: GPL-3.0-or-later
// The backgrounds of the About box and of the other dialogs.

#include "artwork.h"
#include "artwork_canvas.h"
#include "artwork_emblem.h"
#include "artwork_palette.h"
#include "artwork_ornaments.h"

#include <QLinearGradient>

namespace Artwork {

namespace {

constexpr int kDialogBand = 6;

void PaintGround(QPainter& painter, const QRect& area)
{
    QLinearGradient ground(0, area.top(), 0, area.bottom());
    ground.setColorAt(0, Palette::kCream);
    ground.setColorAt(1, Palette::kCreamDeep);
    painter.fillRect(area, ground);
}

void PaintAboutBanner(QPainter& painter, int width)
{
    PaintWarmBand(painter, QRect(0, 0, width, kAboutBannerHeight));
    PaintEmblem(painter, QRectF(22, 20, 78, 78));
    painter.setFont(LetteringFont(22));
    painter.setPen(Palette::kInk);
    painter.drawText(QPointF(116, 56), QStringLiteral("Brevant Veltra"));
    painter.setFont(LetteringFont(30));
    painter.setPen(Qt::white);
    painter.drawText(QPointF(116, 90), QStringLiteral("BKF"));
}

} // namespace

QPixmap AboutBackground(qreal ratio)
{
    return Cached(QStringLiteral("about"), ratio, [=] {
        QPixmap pixmap = Canvas(kAboutSize, ratio);
        QPainter painter(&pixmap);
        PrepareSmooth(painter);
        PaintGround(painter, QRect(QPoint(0, 0), kAboutSize));
        PaintReelRings(painter, QPointF(kAboutSize.width() + 10, kAboutSize.height() + 10), 50);
        PaintAboutBanner(painter, kAboutSize.width());
        return pixmap;
    });
}

QPixmap DialogBackground(const QSize& size, qreal ratio)
{
    const QString key = QStringLiteral("dialog-%1x%2").arg(size.width()).arg(size.height());
    return Cached(key, ratio, [=] {
        QPixmap pixmap = Canvas(size, ratio);
        QPainter painter(&pixmap);
        PrepareSmooth(painter);
        PaintGround(painter, QRect(QPoint(0, 0), size));
        PaintReelRings(painter, QPointF(size.width() + 10, size.height() + 10), 40);
        PaintWarmBand(painter, QRect(0, 0, size.width(), kDialogBand));
        return pixmap;
    });
}

} // namespace Artwork
