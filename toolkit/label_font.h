// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fonts given the way the desktop's font requests give them: by the height
// of the character cell (ascent plus descent) in pixels.

#include <QFont>
#include <QString>

// The largest pixel size of `family` whose line height fits `cellHeight`.
QFont CellHeightFont(const QString& family, int cellHeight);
