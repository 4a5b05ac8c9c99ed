// SPDX-License-Identifier: GPL-3.0-or-later
// The faces of the toolbar and navigation buttons, and the logo. A hover
// face lifts the button onto a light tile with a blue ring.

#include "artwork.h"
#include "artwork_canvas.h"
#include "artwork_emblem.h"
#include "artwork_glyphs.h"
#include "artwork_palette.h"

#include <QCoreApplication>
#include <QLinearGradient>

namespace Artwork {

namespace {

// The word painted under or beside the glyph; marked for translation in the
// context "Artwork", apart from the window's texts, as it has little room.
struct Caption {
    Glyph glyph;
    const char* text;
};

Caption ToolbarCaption(ToolbarCommand command)
{
    switch (command) {
    case ToolbarCommand::kAddFile:
        return { Glyph::kAddFile, QT_TRANSLATE_NOOP("Artwork", "Add File") };
    case ToolbarCommand::kRepair:
        return { Glyph::kRepair, QT_TRANSLATE_NOOP("Artwork", "Repair") };
    case ToolbarCommand::kSave:
        return { Glyph::kSave, QT_TRANSLATE_NOOP("Artwork", "Save") };
    case ToolbarCommand::kSettings:
        return { Glyph::kSettings, QT_TRANSLATE_NOOP("Artwork", "Settings") };
    case ToolbarCommand::kUpdate:
        break;
    }
    return { Glyph::kUpdate, QT_TRANSLATE_NOOP("Artwork", "Update") };
}

Caption NavigationCaption(NavigationCommand command)
{
    switch (command) {
    case NavigationCommand::kNext:
        return { Glyph::kNext, QT_TRANSLATE_NOOP("Artwork", "Next") };
    case NavigationCommand::kBack:
        return { Glyph::kBack, QT_TRANSLATE_NOOP("Artwork", "Back") };
    case NavigationCommand::kStop:
        break;
    }
    return { Glyph::kStop, QT_TRANSLATE_NOOP("Artwork", "Stop") };
}

void PaintHoverTile(QPainter& painter, const QRectF& area, qreal radius)
{
    QLinearGradient fill(0, area.top(), 0, area.bottom());
    fill.setColorAt(0, QColor(255, 255, 255, 240));
    fill.setColorAt(1, QColor(255, 246, 196, 240));
    painter.setBrush(fill);
    painter.setPen(QPen(Palette::kBlue, 1.4));
    painter.drawRoundedRect(area, radius, radius);
}

// Lettering with a soft light edge below, legible on the warm bands; a
// caption wider than `area` (a longer word of another language) is drawn
// smaller until it fits.
void PaintLettering(QPainter& painter, const QRectF& area, Qt::Alignment alignment, const QString& text)
{
    QFont font = painter.font();
    while (font.pixelSize() > 7 && QFontMetricsF(font).horizontalAdvance(text) > area.width())
        font.setPixelSize(font.pixelSize() - 1);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 240, 150));
    painter.drawText(area.translated(0, 1), alignment, text);
    painter.setPen(Palette::kInk);
    painter.drawText(area, alignment, text);
}

QPixmap PaintToolbarButton(ToolbarCommand command, ButtonFace face, qreal ratio)
{
    const Caption caption = ToolbarCaption(command);
    QPixmap pixmap = Canvas(kToolbarButtonSize, ratio);
    QPainter painter(&pixmap);
    PrepareSmooth(painter);
    if (face == ButtonFace::kHover)
        PaintHoverTile(painter, QRectF(1.5, 1.5, 55, 47), 8);
    PaintGlyph(painter, caption.glyph, QRectF(14, 3, 30, 30));
    painter.setFont(LetteringFont(10.5));
    PaintLettering(painter, QRectF(0, 33, 58, 14), Qt::AlignCenter, QCoreApplication::translate("Artwork", caption.text));
    return pixmap;
}

void PaintPill(QPainter& painter, ButtonFace face)
{
    const QRectF pill(1.5, 3.5, 47, 31);
    QLinearGradient fill(0, pill.top(), 0, pill.bottom());
    const bool hover = face == ButtonFace::kHover;
    fill.setColorAt(0, hover ? QColor(255, 255, 248) : QColor(255, 250, 226));
    fill.setColorAt(1, hover ? QColor(255, 228, 140) : QColor(255, 204, 84));
    painter.setBrush(fill);
    painter.setPen(hover ? QPen(Palette::kBlue, 1.6) : QPen(Palette::kBurnt, 1.1));
    painter.drawRoundedRect(pill, 10, 10);
}

QPixmap PaintNavigationButton(NavigationCommand command, ButtonFace face, qreal ratio)
{
    const Caption caption = NavigationCaption(command);
    QPixmap pixmap = Canvas(kNavigationButtonSize, ratio);
    QPainter painter(&pixmap);
    PrepareSmooth(painter);
    PaintPill(painter, face);
    painter.setFont(LetteringFont(11));
    const bool glyphRight = command == NavigationCommand::kNext;
    const QRectF glyph(glyphRight ? 31 : 4, 11, 16, 16);
    const QRectF text(glyphRight ? 5 : 20, 4, 26, 30);
    PaintGlyph(painter, caption.glyph, glyph);
    PaintLettering(painter, text, Qt::AlignVCenter | (glyphRight ? Qt::AlignRight : Qt::AlignLeft),
        QCoreApplication::translate("Artwork", caption.text));
    return pixmap;
}

void PaintLogoPlaque(QPainter& painter, ButtonFace face)
{
    // A tab hanging from the top edge: only its lower corners are round.
    const QRectF plaque(3, -14, 128, 74);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(84, 52, 14, 50));
    painter.drawRoundedRect(plaque.translated(0, 2), 12, 12);
    QLinearGradient fill(0, 0, 0, plaque.bottom());
    fill.setColorAt(0, Palette::kPaper);
    fill.setColorAt(1, face == ButtonFace::kHover ? QColor(255, 236, 150) : Palette::kPaleYellow);
    painter.setBrush(fill);
    painter.setPen(face == ButtonFace::kHover ? QPen(Palette::kBlue, 1.6) : QPen(Palette::kBurnt, 1.2));
    painter.drawRoundedRect(plaque, 12, 12);
}

QPixmap PaintLogo(ButtonFace face, qreal ratio)
{
    QPixmap pixmap = Canvas(kLogoSize, ratio);
    QPainter painter(&pixmap);
    PrepareSmooth(painter);
    PaintLogoPlaque(painter, face);
    PaintEmblem(painter, QRectF(9, 9, 42, 42));
    painter.setFont(LetteringFont(16));
    painter.setPen(Palette::kInk);
    painter.drawText(QPointF(57, 29), QStringLiteral("Brevant"));
    painter.setFont(LetteringFont(12.5));
    painter.setPen(Palette::kDeepOrange);
    painter.drawText(QPointF(57, 46), QStringLiteral("Veltra BKF"));
    return pixmap;
}

} // namespace

QPixmap ToolbarButton(ToolbarCommand command, ButtonFace face, qreal ratio)
{
    const QString key = QStringLiteral("toolbar-%1-%2").arg(int(command)).arg(int(face));
    return Cached(key, ratio, [=] { return PaintToolbarButton(command, face, ratio); });
}

QPixmap NavigationButton(NavigationCommand command, ButtonFace face, qreal ratio)
{
    const QString key = QStringLiteral("navigation-%1-%2").arg(int(command)).arg(int(face));
    return Cached(key, ratio, [=] { return PaintNavigationButton(command, face, ratio); });
}

QPixmap Logo(ButtonFace face, qreal ratio)
{
    const QString key = QStringLiteral("logo-%1").arg(int(face));
    return Cached(key, ratio, [=] { return PaintLogo(face, ratio); });
}

} // namespace Artwork
