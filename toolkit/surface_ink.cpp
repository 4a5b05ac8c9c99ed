// SPDX-License-Identifier: GPL-3.0-or-later
#include "surface_ink.h"

#include <QCoreApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

QColor WarningRed()
{
    return QColor(128, 0, 0);
}

QColor LightSurfaceInk()
{
    return QColor(24, 24, 24);
}

QColor LightSurfaceLink()
{
    return QColor(0, 60, 160);
}

void UseLightSurfaceInk(QWidget& surface)
{
    QPalette palette = surface.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, LightSurfaceInk());
        palette.setColor(group, QPalette::Link, LightSurfaceLink());
        palette.setColor(group, QPalette::LinkVisited, QColor(90, 30, 130));
    }
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(85, 85, 85));
    surface.setPalette(palette);
}

void UseLightSurfaceControl(QWidget& control)
{
    // Button grey and the surface's cream; QPalette derives the bevel shades.
    const QPalette light(QColor(225, 225, 225), QColor(255, 250, 228));
    const QColor grey(96, 96, 96); // disabled text, still 5:1 on the cream
    QPalette own = control.palette();
    const auto take = [&](QPalette::ColorGroup group, QPalette::ColorRole role, const QColor& colour) {
        own.setColor(group, role, colour);
    };
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = group == QPalette::Disabled;
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            take(group, role, disabled ? grey : LightSurfaceInk());
        for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Light, QPalette::Midlight,
                                               QPalette::Mid, QPalette::Dark, QPalette::Shadow})
            take(group, role, light.color(group, role));
        take(group, QPalette::Base, disabled ? QColor(240, 240, 240) : QColor(Qt::white));
        take(group, QPalette::AlternateBase, QColor(245, 245, 245));
        take(group, QPalette::PlaceholderText, grey);
        take(group, QPalette::Highlight, QColor(0, 90, 180));
        take(group, QPalette::HighlightedText, Qt::white);
        take(group, QPalette::Link, LightSurfaceLink());
        take(group, QPalette::LinkVisited, QColor(90, 30, 130));
    }
    control.setPalette(own);
    static QStyle* const fusion = [] {
        QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"));
        style->setParent(QCoreApplication::instance()); // lives as long as the application
        return style;
    }();
    control.setStyle(fusion);
}

QPalette DarkDesktopPalette()
{
    QPalette dark(QColor(53, 53, 53));
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(235, 235, 235));
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    dark.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    dark.setColor(QPalette::Text, QColor(235, 235, 235));
    dark.setColor(QPalette::Button, QColor(60, 60, 64));
    dark.setColor(QPalette::ButtonText, QColor(235, 235, 235));
    dark.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
    dark.setColor(QPalette::ToolTipText, QColor(235, 235, 235));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Link, QColor(120, 180, 255));
    dark.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    return dark;
}
