// SPDX-License-Identifier: GPL-3.0-or-later
#include "artwork_glyphs.h"

#include "artwork_glyph_parts.h"
#include "artwork_palette.h"

namespace Artwork {

namespace {

constexpr qreal kGrid = 32;

void PaintComposite(QPainter& painter, const DesignGrid& grid, Glyph glyph)
{
    using namespace Parts;
    switch (glyph) {
    case Glyph::kAddFile:
        Document(painter, grid);
        PlusBadge(painter, grid, QPointF(23.5, 23.5), 7);
        break;
    case Glyph::kRepair:
        Document(painter, grid, -2);
        Wrench(painter, grid);
        break;
    case Glyph::kSave:
        Folder(painter, grid, false);
        DownArrow(painter, grid);
        Folder(painter, grid, true);
        break;
    case Glyph::kSettings:
        Gear(painter, grid);
        break;
    case Glyph::kUpdate:
        Globe(painter, grid);
        CircleArrows(painter, grid);
        break;
    case Glyph::kExit:
        Door(painter, grid);
        ExitArrow(painter, grid);
        break;
    default:
        break;
    }
}

void PaintSymbol(QPainter& painter, const DesignGrid& grid, Glyph glyph)
{
    using namespace Parts;
    switch (glyph) {
    case Glyph::kHelp:
    case Glyph::kQuestion:
        LetterBadge(painter, grid, QStringLiteral("?"), Palette::kSky, Palette::kBlue, Qt::white);
        break;
    case Glyph::kInformation:
        LetterBadge(painter, grid, QStringLiteral("i"), Palette::kSky, Palette::kBlue, Qt::white);
        break;
    case Glyph::kAbout:
        LetterBadge(painter, grid, QStringLiteral("i"), Palette::kPaleYellow, Palette::kDeepOrange, Palette::kInk);
        break;
    case Glyph::kWarning:
        WarningTriangle(painter, grid);
        break;
    case Glyph::kError:
        ErrorBadge(painter, grid);
        break;
    case Glyph::kNext:
    case Glyph::kBack:
        NavigationArrow(painter, grid, glyph == Glyph::kBack);
        break;
    case Glyph::kStop:
        StopSign(painter, grid);
        break;
    default:
        PaintComposite(painter, grid, glyph);
        break;
    }
}

} // namespace

void PaintGlyph(QPainter& painter, Glyph glyph, const QRectF& box)
{
    painter.save();
    PrepareSmooth(painter);
    const DesignGrid grid(painter, box, kGrid);
    PaintSymbol(painter, grid, glyph);
    painter.restore();
}

} // namespace Artwork
