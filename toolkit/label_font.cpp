// SPDX-License-Identifier: GPL-3.0-or-later
#include "label_font.h"

#include <QFontMetrics>

QFont CellHeightFont(const QString& family, int cellHeight)
{
    QFont font(family);
    font.setPixelSize(cellHeight);
    while (font.pixelSize() > 1 && QFontMetrics(font).height() > cellHeight)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}
