// SPDX-License-Identifier: GPL-3.0-or-later
#include "bitmap_dialog.h"

#include "surface_ink.h"

#include <QPainter>

#include <utility>

CBitmapDialog::CBitmapDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    // Light where the image does not reach too, so the dark ink reads everywhere.
    UseLightSurfaceInk(*this);
    QPalette light = palette();
    light.setColor(QPalette::Window, QColor(255, 250, 228));
    setPalette(light);
}

void CBitmapDialog::SetBackground(const QPixmap& image)
{
    m_background = image;
    update();
}

void CBitmapDialog::SetBackgroundMaker(std::function<QPixmap(const QSize&, qreal)> maker)
{
    m_maker = std::move(maker);
    SetBackground(m_maker(size(), devicePixelRatioF()));
}

void CBitmapDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (m_maker && m_background.deviceIndependentSize().toSize() != size())
        SetBackground(m_maker(size(), devicePixelRatioF()));
}

void CBitmapDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (m_background.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(QPoint(0, 0), m_background);
}
