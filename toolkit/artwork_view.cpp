// SPDX-License-Identifier: GPL-3.0-or-later
// The five background pieces of the wizard view. The header's three pieces
// share one vertical profile, so that the stretched middle piece joins both
// corners without a seam; the footer and the body are stretched across the
// whole view, so they change only from top to bottom.

#include "artwork.h"
#include "artwork_canvas.h"
#include "artwork_emblem.h"
#include "artwork_palette.h"
#include "artwork_ornaments.h"
#include "texts.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace Artwork {

namespace {

constexpr int kToolbarBand = 56; // the toolbar buttons sit on this band
const QColor kHeaderBottom(255, 244, 204);

void PaintHeaderProfile(QPainter& painter, int width)
{
    PaintWarmBand(painter, QRect(0, 0, width, kToolbarBand));
    QLinearGradient ground(0, kToolbarBand + 2, 0, 199);
    ground.setColorAt(0, QColor(255, 238, 178));
    ground.setColorAt(0.25, Palette::kCream);
    ground.setColorAt(1, kHeaderBottom);
    painter.fillRect(QRect(0, kToolbarBand + 2, width, 199 - kToolbarBand - 2), ground);
}

void PaintTitle(QPainter& painter)
{
    painter.setFont(LetteringFont(21));
    painter.setPen(Palette::kInk);
    painter.drawText(QPointF(190, 146), QStringLiteral("Brevant Veltra BKF"));
    painter.setFont(LetteringFont(13, false));
    painter.setPen(Palette::kBurnt);
    painter.drawText(QPointF(191, 168), Texts::Tr("Recovery of damaged BKF backups"));
}

QPixmap HeaderLeft(qreal ratio)
{
    const ViewPiece piece = ViewPiece::kHeaderLeft;
    QPixmap pixmap = Canvas(PieceSize(piece), ratio);
    QPainter painter(&pixmap);
    PrepareSmooth(painter);
    PaintHeaderProfile(painter, PieceSize(piece).width());
    QRadialGradient halo(QPointF(92, 128), 78);
    halo.setColorAt(0, QColor(255, 255, 255, 200));
    halo.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    painter.drawEllipse(QPointF(92, 128), 78, 68);
    PaintEmblem(painter, QRectF(44, 78, 100, 100));
    PaintTitle(painter);
    return pixmap;
}

QPixmap HeaderRight(qreal ratio)
{
    const QSize size = PieceSize(ViewPiece::kHeaderRight);
    QPixmap pixmap = Canvas(size, ratio);
    QPainter painter(&pixmap);
    PrepareSmooth(painter);
    PaintHeaderProfile(painter, size.width());
    PaintReelRings(painter, QPointF(size.width() + 6, 206), 46);
    return pixmap;
}

QPixmap HeaderMiddle(qreal ratio)
{
    const ViewPiece piece = ViewPiece::kHeaderMiddle;
    QPixmap pixmap = Canvas(PieceSize(piece), ratio);
    QPainter painter(&pixmap);
    PaintHeaderProfile(painter, PieceSize(piece).width());
    return pixmap;
}

QPixmap Footer(qreal ratio)
{
    const QSize size = PieceSize(ViewPiece::kFooter);
    QPixmap pixmap = Canvas(size, ratio);
    QPainter painter(&pixmap);
    // The top three rows lie under the body's lower edge.
    painter.fillRect(QRect(0, 0, size.width(), 4), kHeaderBottom);
    painter.fillRect(QRect(0, 4, size.width(), 1), QColor(236, 160, 50));
    painter.fillRect(QRect(0, 5, size.width(), 1), QColor(255, 252, 232));
    QLinearGradient band(0, 6, 0, size.height());
    band.setColorAt(0, QColor(255, 240, 190));
    band.setColorAt(0.55, QColor(255, 218, 122));
    band.setColorAt(1, QColor(255, 196, 64));
    painter.fillRect(QRect(0, 6, size.width(), size.height() - 6), band);
    return pixmap;
}

QPixmap Body(qreal ratio)
{
    const QSize size = PieceSize(ViewPiece::kBody);
    QPixmap pixmap = Canvas(size, ratio);
    QPainter painter(&pixmap);
    QLinearGradient ground(0, 0, 0, size.height());
    ground.setColorAt(0, kHeaderBottom);
    ground.setColorAt(0.12, QColor(255, 250, 226));
    ground.setColorAt(0.6, QColor(255, 252, 238));
    ground.setColorAt(1, QColor(255, 246, 214));
    painter.fillRect(QRect(QPoint(0, 0), size), ground);
    return pixmap;
}

QPixmap PaintPiece(ViewPiece piece, qreal ratio)
{
    switch (piece) {
    case ViewPiece::kHeaderLeft:
        return HeaderLeft(ratio);
    case ViewPiece::kHeaderRight:
        return HeaderRight(ratio);
    case ViewPiece::kHeaderMiddle:
        return HeaderMiddle(ratio);
    case ViewPiece::kFooter:
        return Footer(ratio);
    case ViewPiece::kBody:
        break;
    }
    return Body(ratio);
}

} // namespace

QSize PieceSize(ViewPiece piece)
{
    switch (piece) {
    case ViewPiece::kHeaderLeft:
        return QSize(578, 199);
    case ViewPiece::kHeaderRight:
        return QSize(137, 199);
    case ViewPiece::kHeaderMiddle:
        return QSize(69, 199);
    case ViewPiece::kFooter:
        return QSize(779, 68);
    case ViewPiece::kBody:
        break;
    }
    return QSize(407, 160);
}

QPixmap ViewBackgroundPiece(ViewPiece piece, qreal ratio)
{
    return Cached(QStringLiteral("view-%1").arg(int(piece)), ratio, [=] { return PaintPiece(piece, ratio); });
}

ViewBackgroundPieces ViewBackground(qreal ratio)
{
    return { ViewBackgroundPiece(ViewPiece::kHeaderLeft, ratio), ViewBackgroundPiece(ViewPiece::kHeaderRight, ratio),
        ViewBackgroundPiece(ViewPiece::kHeaderMiddle, ratio), ViewBackgroundPiece(ViewPiece::kFooter, ratio),
        ViewBackgroundPiece(ViewPiece::kBody, ratio) };
}

} // namespace Artwork
