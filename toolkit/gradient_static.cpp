// SPDX-License-Identifier: GPL-3.0-or-later
#include "gradient_static.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

constexpr int kSideMargin = 4;

} // namespace

CGradientStatic::CGradientStatic(QWidget* parent)
    : CTransparentStatic(parent)
    , m_left(Qt::white)
    , m_right(Qt::white)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetMargins(QMargins(kSideMargin, 0, kSideMargin, 0));
}

void CGradientStatic::SetGradient(const QColor& left, const QColor& right)
{
    m_left = left;
    m_right = right;
    update();
}

void CGradientStatic::SetSolidBackground(const QColor& color)
{
    SetGradient(color, color);
}

void CGradientStatic::PaintBackground(QPainter& painter)
{
    QLinearGradient gradient(0, 0, width(), 0);
    gradient.setColorAt(0, m_left);
    gradient.setColorAt(1, m_right);
    painter.fillRect(rect(), gradient);
}
