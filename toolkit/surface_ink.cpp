// SPDX-License-Identifier: GPL-3.0-or-later
#include "surface_ink.h"

#include <QWidget>

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
