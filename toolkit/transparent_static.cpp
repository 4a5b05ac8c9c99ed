// SPDX-License-Identifier: GPL-3.0-or-later
#include "transparent_static.h"

#include <QPainter>
#include <QTextOption>

namespace {

// Tab stops every eight average characters, as the desktop's text drawing
// puts them.
constexpr int kTabStopChars = 8;

} // namespace

CTransparentStatic::CTransparentStatic(QWidget* parent)
    : QWidget(parent)
{
}

void CTransparentStatic::SetText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    if (isVisible())
        repaint();
}

void CTransparentStatic::SetTextColor(const QColor& color)
{
    m_textColor = color;
    update();
}

QColor CTransparentStatic::TextColor() const
{
    return m_textColor.isValid() ? m_textColor : palette().color(QPalette::WindowText);
}

void CTransparentStatic::SetAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void CTransparentStatic::SetMargins(const QMargins& margins)
{
    m_margins = margins;
    update();
}

void CTransparentStatic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintBackground(painter);
    QTextOption option(m_alignment);
    option.setWrapMode(QTextOption::WordWrap);
    option.setTabStopDistance(kTabStopChars * fontMetrics().averageCharWidth());
    painter.setPen(TextColor());
    painter.setFont(font());
    const QRect area = rect().marginsRemoved(m_margins);
    painter.drawText(QRectF(area), m_text, option);
}

void CTransparentStatic::PaintBackground(QPainter&)
{
}
