// SPDX-License-Identifier: GPL-3.0-or-later
#include "row_status_look.h"

#include "browser_images.h"
#include "catalogue_store.h"
#include "texts.h"

#include <QFont>
#include <QPainter>
#include <QPolygonF>

#include <array>

namespace {

enum class Sign { Tick, Warning, Ring, Cross };

const QColor kAmber(214, 138, 0);

void PaintTick(QPainter& painter)
{
    painter.setPen(QPen(QColor(33, 150, 33), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
}

void PaintWarning(QPainter& painter)
{
    painter.setPen(QPen(kAmber.darker(130), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(kAmber);
    painter.drawPolygon(QPolygonF({QPointF(8, 1.5), QPointF(15, 14.5), QPointF(1, 14.5)}));
    painter.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(8, 6), QPointF(8, 10));
    painter.drawPoint(QPointF(8, 12.6));
}

void PaintRing(QPainter& painter)
{
    painter.setPen(QPen(QColor(128, 128, 128), 1.8));
    painter.drawEllipse(QPointF(8, 8), 5.5, 5.5);
}

void PaintCross(QPainter& painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 30, 30));
    painter.drawEllipse(QPointF(8, 8), 7, 7);
    painter.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(5.3, 5.3), QPointF(10.7, 10.7));
    painter.drawLine(QPointF(10.7, 5.3), QPointF(5.3, 10.7));
}

Sign SignOf(RowStatus status)
{
    switch (status) {
    case RowStatus::Verified:
    case RowStatus::Saved: return Sign::Tick;
    case RowStatus::NotChecked:
    case RowStatus::NoChecksum:
    case RowStatus::NoData: return Sign::Ring;
    case RowStatus::Damaged:
    case RowStatus::NotSaved:
    case RowStatus::NotFound: return Sign::Cross;
    case RowStatus::ChecksumLost:
    case RowStatus::CutShort:
    case RowStatus::FolderLost:
    case RowStatus::PartlySaved:
    case RowStatus::FromCatalogue: break;
    }
    return Sign::Warning;
}

} // namespace

QString StatusWord(RowStatus status)
{
    switch (status) {
    case RowStatus::NotChecked: return Texts::Tr("not checked");
    case RowStatus::NoChecksum: return Texts::Tr("no checksum");
    case RowStatus::ChecksumLost: return Texts::Tr("checksum lost");
    case RowStatus::Verified: return Texts::Tr("verified");
    case RowStatus::Damaged: return Texts::Tr("damaged");
    case RowStatus::CutShort: return Texts::Tr("cut short");
    case RowStatus::NoData: return Texts::Tr("no data");
    case RowStatus::FolderLost: return Texts::Tr("folder lost");
    case RowStatus::Saved: return Texts::Tr("saved");
    case RowStatus::PartlySaved: return Texts::Tr("partly saved");
    case RowStatus::NotSaved: return Texts::Tr("not saved");
    case RowStatus::FromCatalogue: return Texts::Tr("from the catalogue");
    case RowStatus::NotFound: return Texts::Tr("not found");
    }
    return {};
}

QString StatusLabel(const CatalogueStore& store, std::size_t row)
{
    const QString word = StatusWord(store.Status(row));
    const std::string detail = store.StatusDetail(row);
    return detail.empty() ? word : word + QStringLiteral(" (") + QString::fromStdString(detail) + QLatin1Char(')');
}

QIcon StatusIcon(RowStatus status)
{
    // Made once, on first use, and kept for the process's life.
    static const auto* icons = new std::array<QIcon, 4>{
        BrowserImages::DrawnIcon(PaintTick), BrowserImages::DrawnIcon(PaintWarning),
        BrowserImages::DrawnIcon(PaintRing), BrowserImages::DrawnIcon(PaintCross)};
    return (*icons)[static_cast<std::size_t>(SignOf(status))];
}

QColor NotOkInk(const QColor& behind)
{
    return behind.lightness() >= 128 ? QColor(150, 90, 0) : QColor(255, 190, 90);
}

QVariant StatusFont(RowStatus status)
{
    if (IsOkStatus(status))
        return {};
    QFont font;
    font.setItalic(true);
    return font;
}
