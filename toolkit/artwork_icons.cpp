// SPDX-License-Identifier: GPL-3.0-or-later
// Menu icons, message icons and the application icon.

#include "artwork.h"
#include "artwork_canvas.h"
#include "artwork_emblem.h"
#include "artwork_glyphs.h"

namespace Artwork {

namespace {

constexpr int kSimpleEmblemBelow = 40; // edges under this leave out fine detail

Glyph MenuGlyph(MenuIcon icon)
{
    switch (icon) {
    case MenuIcon::kAdd:
        return Glyph::kAddFile;
    case MenuIcon::kAbout:
        return Glyph::kAbout;
    case MenuIcon::kExit:
        return Glyph::kExit;
    case MenuIcon::kHelp:
        return Glyph::kHelp;
    case MenuIcon::kLiveUpdate:
        return Glyph::kUpdate;
    case MenuIcon::kSettings:
        return Glyph::kSettings;
    case MenuIcon::kCheck:
        return Glyph::kRepair;
    case MenuIcon::kSave:
        break;
    }
    return Glyph::kSave;
}

Glyph MessageGlyph(MessageIconKind kind)
{
    switch (kind) {
    case MessageIconKind::kInformation:
        return Glyph::kInformation;
    case MessageIconKind::kWarning:
        return Glyph::kWarning;
    case MessageIconKind::kError:
        return Glyph::kError;
    default:
        return Glyph::kQuestion;
    }
}

QPixmap GlyphPixmap(Glyph glyph, const QSize& size, qreal ratio)
{
    QPixmap pixmap = Canvas(size, ratio);
    QPainter painter(&pixmap);
    PaintGlyph(painter, glyph, QRectF(QPointF(0, 0), size));
    return pixmap;
}

} // namespace

QIcon MenuIconImage(MenuIcon icon)
{
    QIcon result;
    const QSize size(kMenuIconSize, kMenuIconSize);
    for (qreal ratio : { 1.0, 2.0, 3.0 })
        result.addPixmap(GlyphPixmap(MenuGlyph(icon), size, ratio));
    return result;
}

QPixmap MessageIcon(MessageIconKind kind, qreal ratio)
{
    if (kind == MessageIconKind::kNone)
        return QPixmap();
    const QString key = QStringLiteral("message-%1").arg(int(kind));
    return Cached(key, ratio, [=] { return GlyphPixmap(MessageGlyph(kind), kMessageIconSize, ratio); });
}

QImage ApplicationIconImage(int edge)
{
    QImage image(edge, edge, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintEmblem(painter, QRectF(0, 0, edge, edge), edge < kSimpleEmblemBelow);
    return image;
}

QIcon ApplicationIcon()
{
    QIcon icon;
    for (int edge : kApplicationIconEdges)
        icon.addPixmap(QPixmap::fromImage(ApplicationIconImage(edge)));
    return icon;
}

} // namespace Artwork
