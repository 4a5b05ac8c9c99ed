// SPDX-License-Identifier: GPL-3.0-or-later
#include "artwork_canvas.h"

#include <QGuiApplication>
#include <QPixmapCache>
#include <QScreen>

namespace Artwork {

QPixmap Canvas(const QSize& size, qreal ratio)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void PrepareSmooth(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

DesignGrid::DesignGrid(QPainter& painter, const QRectF& box, qreal grid)
    : m_painter(painter)
    , m_scale(box.width() / grid)
{
    m_painter.save();
    m_painter.translate(box.topLeft());
    m_painter.scale(m_scale, box.height() / grid);
}

DesignGrid::~DesignGrid()
{
    m_painter.restore();
}

qreal DesignGrid::Stroke(qreal units, qreal minimumPixels) const
{
    return qMax(units, minimumPixels / m_scale);
}

QPixmap Cached(const QString& key, qreal ratio, const std::function<QPixmap()>& paint)
{
    const QString fullKey = QStringLiteral("bkf-art:%1@%2").arg(key).arg(ratio);
    QPixmap pixmap;
    if (QPixmapCache::find(fullKey, &pixmap))
        return pixmap;
    pixmap = paint();
    QPixmapCache::insert(fullKey, pixmap);
    return pixmap;
}

QFont LetteringFont(qreal pixels, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qMax(1, qRound(pixels)));
    font.setBold(bold);
    return font;
}

qreal ScreenPixelRatio()
{
    qreal ratio = 1.0;
    const auto screens = QGuiApplication::screens();
    for (const QScreen* screen : screens)
        ratio = qMax(ratio, screen->devicePixelRatio());
    return ratio;
}

} // namespace Artwork
