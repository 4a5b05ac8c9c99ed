// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser_images.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <functional>

namespace {

using Painter = std::function<void(QPainter&)>;

QPixmap Render(const Painter& paint, qreal ratio)
{
    const int side = static_cast<int>(std::ceil(BrowserImages::kSize * ratio));
    QPixmap pixmap(side, side);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return pixmap;
}

void Box(QPainter& painter, const QColor& fill)
{
    painter.setPen(QPen(QColor(28, 81, 128), 1.0));
    painter.setBrush(fill);
    painter.drawRect(QRectF(2.5, 2.5, 11, 11));
}

const QPolygonF kTickLine({QPointF(5, 8), QPointF(7.2, 10.5), QPointF(11.2, 5.2)});

void Tick(QPainter& painter)
{
    painter.setPen(QPen(QColor(33, 161, 33), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(kTickLine);
}

// The partial state: a mid-grey box, plainly not white in any theme, whose
// green tick keeps a white edge so that it stands out from the grey.
void GreyTick(QPainter& painter)
{
    Box(painter, QColor(128, 128, 128));
    painter.setPen(QPen(Qt::white, 3.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(kTickLine);
    Tick(painter);
}

void UpLeftArrow(QPainter& painter)
{
    const QColor red(214, 30, 30);
    painter.setPen(QPen(red, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(11, 11), QPointF(6, 6));
    painter.setPen(Qt::NoPen);
    painter.setBrush(red);
    painter.drawPolygon(QPolygonF({QPointF(4.5, 4.5), QPointF(9.5, 4.8), QPointF(4.8, 9.5)}));
}

void PaintStateImage(QPainter& painter, StateImage image)
{
    switch (image) {
    case StateImage::None:
        return;
    case StateImage::EmptyBox:
        Box(painter, Qt::white);
        return;
    case StateImage::Ticked:
        Box(painter, Qt::white);
        Tick(painter);
        return;
    case StateImage::GreyTicked:
        GreyTick(painter);
        return;
    case StateImage::ParentMarker:
        Box(painter, Qt::white);
        UpLeftArrow(painter);
        return;
    }
}

void PaintFolder(QPainter& painter, bool open)
{
    const QColor edge(176, 128, 24);
    painter.setPen(QPen(edge, 1.0));
    painter.setBrush(QColor(236, 190, 70));
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(14.5, 5);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    painter.drawPath(back);
    painter.setBrush(QColor(252, 220, 120));
    if (open)
        painter.drawPolygon(QPolygonF({QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
    else
        painter.drawRect(QRectF(1.5, 6.5, 13, 7));
}

void PaintDrive(QPainter& painter)
{
    painter.setPen(QPen(QColor(20, 60, 140), 1.0));
    QLinearGradient body(0, 4, 0, 13);
    body.setColorAt(0, QColor(120, 170, 240));
    body.setColorAt(1, QColor(40, 90, 190));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(1.5, 4.5, 13, 8), 1.5, 1.5);
    painter.setPen(QPen(QColor(210, 230, 255), 1.0));
    painter.drawLine(QPointF(3.5, 10.5), QPointF(9.5, 10.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(120, 255, 120));
    painter.drawEllipse(QPointF(12, 10.5), 1.1, 1.1);
}

} // namespace

StateImage TreeStateImage(CheckState state)
{
    switch (state) {
    case CheckState::Checked: return StateImage::Ticked;
    case CheckState::Partial: return StateImage::GreyTicked;
    case CheckState::Unchecked: break;
    }
    return StateImage::EmptyBox;
}

Qt::CheckState QtCheckState(CheckState state)
{
    switch (state) {
    case CheckState::Checked: return Qt::Checked;
    case CheckState::Partial: return Qt::PartiallyChecked;
    case CheckState::Unchecked: break;
    }
    return Qt::Unchecked;
}

namespace BrowserImages {

QPixmap StateImagePixmap(StateImage image, qreal devicePixelRatio)
{
    // Kept for the process's life; never destroyed after the application object.
    static auto* cache = new QHash<int, QPixmap>;
    const int key = static_cast<int>(image) * 100 + static_cast<int>(devicePixelRatio * 10);
    auto found = cache->find(key);
    if (found == cache->end())
        found = cache->insert(key, Render([image](QPainter& p) { PaintStateImage(p, image); }, devicePixelRatio));
    return *found;
}

QIcon FolderIcon()
{
    static const QIcon* icon = new QIcon([] {
        QIcon folder = DrawnIcon([](QPainter& p) { PaintFolder(p, false); });
        const QIcon open = OpenFolderIcon();
        for (qreal ratio : {1.0, 2.0})
            folder.addPixmap(open.pixmap(QSize(kSize, kSize), ratio), QIcon::Selected);
        return folder;
    }());
    return *icon;
}

QIcon OpenFolderIcon()
{
    static const QIcon* icon = new QIcon(DrawnIcon([](QPainter& p) { PaintFolder(p, true); }));
    return *icon;
}

QIcon BackupIcon()
{
    static const QIcon* icon = new QIcon(DrawnIcon(PaintDrive));
    return *icon;
}

QIcon DrawnIcon(const std::function<void(QPainter&)>& paint)
{
    QIcon icon;
    icon.addPixmap(Render(paint, 1.0));
    icon.addPixmap(Render(paint, 2.0));
    return icon;
}

} // namespace BrowserImages
