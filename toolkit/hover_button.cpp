// SPDX-License-Identifier: GPL-3.0-or-later
#include "hover_button.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

constexpr qreal kDisabledOpacity = 0.45;
constexpr int kHighlightAlpha = 70;
constexpr qreal kFocusFrameWidth = 2.0;

// A frame that reads on light and dark images alike: dark dashes over a light line.
void PaintFocusFrame(QPainter& painter, const QRect& area)
{
    const QRectF frame = QRectF(area).adjusted(1.5, 1.5, -1.5, -1.5);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 255, 255, 220), kFocusFrameWidth));
    painter.drawRoundedRect(frame, 4, 4);
    QPen dashes(QColor(20, 40, 110), kFocusFrameWidth, Qt::DashLine);
    painter.setPen(dashes);
    painter.drawRoundedRect(frame, 4, 4);
}

} // namespace

CHoverButton::CHoverButton(QWidget* parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

void CHoverButton::SetImages(const QPixmap& normal, const QPixmap& hover)
{
    m_normal = normal;
    m_hover = hover;
    resize(sizeHint());
    update();
}

void CHoverButton::SetImage(const QPixmap& image)
{
    SetImages(image, HighlightedPixmap(image));
}

// The button has no caption: screen readers name it by its tooltip and
// describe it by its status text.
void CHoverButton::SetToolTipText(const QString& text)
{
    m_toolTip = text;
    const QString key = shortcut().toString(QKeySequence::NativeText);
    setToolTip(key.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, key));
    setAccessibleName(text.trimmed());
}

void CHoverButton::SetMnemonic(QChar letter)
{
    setShortcut(QKeySequence(Qt::ALT | Qt::Key(letter.toUpper().unicode())));
    SetToolTipText(m_toolTip);
}

void CHoverButton::SetStatusText(const QString& text)
{
    setStatusTip(text);
    setAccessibleDescription(text.trimmed());
}

const QPixmap& CHoverButton::CurrentImage() const
{
    return (m_hovered || isDown()) && !m_hover.isNull() ? m_hover : m_normal;
}

QSize CHoverButton::sizeHint() const
{
    return m_normal.deviceIndependentSize().toSize();
}

void CHoverButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!isEnabled())
        painter.setOpacity(kDisabledOpacity);
    const QPixmap& image = CurrentImage();
    const QSize size = image.deviceIndependentSize().toSize();
    QRect target(QPoint(0, 0), size);
    target.moveCenter(rect().center());
    if (isDown())
        target.translate(0, 1);
    painter.drawPixmap(target, image);
    if (hasFocus())
        PaintFocusFrame(painter, target.intersected(rect()));
}

void CHoverButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CHoverButton::enterEvent(QEnterEvent* event)
{
    SetHovered(true);
    QAbstractButton::enterEvent(event);
}

void CHoverButton::leaveEvent(QEvent* event)
{
    SetHovered(false);
    QAbstractButton::leaveEvent(event);
}

void CHoverButton::SetHovered(bool hovered)
{
    if (hovered == m_hovered)
        return;
    m_hovered = hovered;
    update();
    emit HoverChanged(hovered);
}

QPixmap HighlightedPixmap(const QPixmap& image)
{
    QPixmap result = image;
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    painter.fillRect(QRectF(QPointF(0, 0), image.deviceIndependentSize()), QColor(255, 236, 160, kHighlightAlpha));
    return result;
}
