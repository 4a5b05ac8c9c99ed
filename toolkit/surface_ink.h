// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text on the painted surfaces (the view's background and labels, the
// bitmap dialogs, the status bar) is drawn in dark ink whatever the desktop's
// theme: those surfaces are light in every theme. Controls with a field of
// their own (edit boxes, lists, the tree, push buttons) keep the desktop's
// colours, since they paint their own background from the same palette.

#include <QColor>
#include <QPalette>

class QWidget;

// Dark ink and links for `surface` and the children that take its text colour.
void UseLightSurfaceInk(QWidget& surface);
QColor LightSurfaceInk();
// A control that sits on a painted light surface (a check box, a label, an
// auto-raised tool button): our ink and our light control colours in every
// group, drawn by Fusion (dark styles paint a box in their own dark colours
// whatever the palette), so its text and its box stay readable on that
// surface in every desktop style. A control's own colours are set after this.
void UseLightSurfaceControl(QWidget& control);
// The links' colour there. Rich text takes a link's colour from the
// application's palette when it is parsed, not from the label's: links on a
// painted surface name this colour in their own style.
QColor LightSurfaceLink();

// The red of the warnings on our surfaces (the status bar's scan labels, the
// hint on the orange band) and of ticked rows on their pale rose: pure red
// reads at 1.8:1 on the status bar's blue and 3.4:1 on the rose, this deep
// red at 4.5:1 or more on each of them.
QColor WarningRed();

// A dark desktop palette (light text on dark fields), for seeing the window
// as a dark theme shows it.
QPalette DarkDesktopPalette();
