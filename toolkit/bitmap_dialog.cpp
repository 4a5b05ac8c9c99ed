// SPDX-License-Identifier: GPL-3.0-or-later
#include "bitmap_dialog.h"

#include <QPainter>

CBitmapDialog::CBitmapDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

void CBitmapDialog::SetBackground(const QPixmap& image)
{
    m_background = image;
    update();
}

void CBitmapDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (m_background.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(QPoint(0, 0), m_background);
}
