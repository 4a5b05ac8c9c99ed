// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The five settings of the menu look, read from the application's settings
// (QSettings with the application's organisation and name). They are only
// read, never written; an absent value gives its default.
//
//   "MenuXP/ShowGradient"     1         gradient icon strip (else a flat strip)
//   "MenuEx/ShowGradientSel"  1         with ShowGradient: gradient selection
//   "MenuXP/GradientStart"    4378367   start colour, 0x00BBGGRR
//   "MenuXP/GradientEnd"      16777215  end colour, 0x00BBGGRR
//   "MenuXP/GradientWidth"    30        width of the gradient icon strip (0..120)

#include <QColor>

class QSettings;

struct MenuLook {
    bool showGradient = true;
    bool showGradientSelection = true;
    QColor gradientStart = QColor(255, 206, 66);
    QColor gradientEnd = QColor(255, 255, 255);
    int gradientWidth = 30;
};

// The values in `settings`, defaults where absent.
MenuLook ReadMenuLook(const QSettings& settings);

// The values of this process: read on the first call (the first menu item
// drawn), the same answer ever after.
const MenuLook& ProcessMenuLook();

// A colour stored the desktop's way, 0x00BBGGRR.
QColor ColorFromColorRef(quint32 value);
