// SPDX-License-Identifier: GPL-3.0-or-later
#include "transparent_static.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QTextOption>

namespace {

// Tab stops every eight average characters, as the desktop's text drawing
// puts them.
constexpr int kTabStopChars = 8;

// Screen readers take the painted label for a text, named by what it shows.
QAccessibleInterface* LabelAccessible(const QString&, QObject* object)
{
    if (auto* label = qobject_cast<CTransparentStatic*>(object))
        return new QAccessibleWidget(label, QAccessible::StaticText);
    return nullptr;
}

} // namespace

CTransparentStatic::CTransparentStatic(QWidget* parent)
    : QWidget(parent)
{
    static const bool kFactoryInstalled = (QAccessible::installFactory(LabelAccessible), true);
    Q_UNUSED(kFactoryInstalled);
}

void CTransparentStatic::SetText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    setAccessibleName(QString(text).replace(QLatin1Char('\t'), QLatin1Char(' ')).simplified());
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
