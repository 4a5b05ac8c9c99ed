// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one palette of the artwork: warm orange-to-yellow gradients, a cream
// ground, a dark brown ink and the blue of the status bar as the accent.

#include <QColor>

namespace Artwork::Palette {

inline const QColor kPaleYellow(255, 252, 179);
inline const QColor kAmber(255, 206, 66);
inline const QColor kHint(255, 210, 87);
inline const QColor kOrange(255, 186, 16);
inline const QColor kDeepOrange(232, 135, 10);
inline const QColor kBurnt(196, 104, 8);
inline const QColor kCream(255, 250, 228);
inline const QColor kCreamDeep(255, 242, 196);
inline const QColor kInk(84, 52, 14);
inline const QColor kSky(113, 177, 241);
inline const QColor kBlue(40, 108, 196);
inline const QColor kNavy(24, 70, 140);
inline const QColor kRed(214, 64, 40);
inline const QColor kPaper(255, 255, 252);

} // namespace Artwork::Palette
