// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-artwork: renders the contact sheet of all artwork into a PNG file, and
// with --icons DIR the application icon at each size into DIR.
// With --theme DIR NAME it lays the application icon out as a hicolor icon
// theme: DIR/NxN/apps/NAME.png for every size and DIR/scalable/apps/NAME.svg,
// the same drawing recorded as vector paths.

#include "artwork.h"
#include "artwork_emblem.h"
#include "artwork_sheet.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QSvgGenerator>
#include <QTextStream>

namespace {

constexpr int kSvgEdge = 256;

int Usage()
{
    QTextStream(stderr) << "usage: bkf-artwork SHEET.png [--icons DIR]\n"
                           "       bkf-artwork --theme DIR NAME\n";
    return 2;
}

bool WriteIcons(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return false;
    for (int edge : Artwork::kApplicationIconEdges) {
        const QString name = QStringLiteral("%1/brevant-veltra-bkf-%2.png").arg(folder).arg(edge);
        if (!Artwork::ApplicationIconImage(edge).save(name))
            return false;
    }
    return true;
}

bool WriteSvg(const QString& path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(kSvgEdge, kSvgEdge));
    svg.setViewBox(QRect(0, 0, kSvgEdge, kSvgEdge));
    svg.setTitle(QStringLiteral("Brevant Veltra BKF"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    Artwork::PaintEmblem(painter, QRectF(0, 0, kSvgEdge, kSvgEdge), false);
    return painter.end();
}

bool WriteTheme(const QDir& theme, const QString& name)
{
    for (int edge : Artwork::kApplicationIconEdges) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(edge);
        if (!theme.mkpath(folder) ||
            !Artwork::ApplicationIconImage(edge).save(theme.filePath(folder + '/' + name + ".png")))
            return false;
    }
    return theme.mkpath(QStringLiteral("scalable/apps")) &&
           WriteSvg(theme.filePath(QStringLiteral("scalable/apps/") + name + ".svg"));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() == 3 && arguments[0] == QLatin1String("--theme"))
        return WriteTheme(QDir(arguments[1]), arguments[2]) ? 0 : 1;
    if (arguments.isEmpty() || (arguments.size() != 1 && arguments.size() != 3))
        return Usage();
    if (arguments.size() == 3 && (arguments[1] != QLatin1String("--icons") || !WriteIcons(arguments[2])))
        return arguments[1] != QLatin1String("--icons") ? Usage() : 1;
    return RenderArtworkSheet().save(arguments[0]) ? 0 : 1;
}
