// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-artwork: renders the contact sheet of all artwork into a PNG file, and
// with --icons DIR the application icon at each size into DIR.

#include "artwork.h"
#include "artwork_sheet.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

namespace {

int Usage()
{
    QTextStream(stderr) << "usage: bkf-artwork SHEET.png [--icons DIR]\n";
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

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.isEmpty() || (arguments.size() != 1 && arguments.size() != 3))
        return Usage();
    if (arguments.size() == 3 && (arguments[1] != QLatin1String("--icons") || !WriteIcons(arguments[2])))
        return arguments[1] != QLatin1String("--icons") ? Usage() : 1;
    return RenderArtworkSheet().save(arguments[0]) ? 0 : 1;
}
