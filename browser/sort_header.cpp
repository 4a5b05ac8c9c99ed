// SPDX-License-Identifier: GPL-3.0-or-later
#include "sort_header.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

SortHeader::SortHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setFocusPolicy(Qt::TabFocus);
}

int SortHeader::FocusedSection() const
{
    if (m_focused >= 0 && m_focused < count() && !isSectionHidden(m_focused))
        return m_focused;
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        if (!isSectionHidden(logical) && sectionSize(logical) > 0)
            return logical;
    }
    return -1;
}

int SortHeader::ShownSectionBeside(int steps) const
{
    const int from = FocusedSection();
    if (from < 0)
        return -1;
    const int direction = steps < 0 ? -1 : 1;
    int found = from;
    for (int visual = visualIndex(from) + direction; steps != 0 && visual >= 0 && visual < count();
         visual += direction) {
        const int logical = logicalIndex(visual);
        if (isSectionHidden(logical) || sectionSize(logical) == 0)
            continue;
        found = logical;
        steps -= direction;
    }
    return found;
}

void SortHeader::FocusSection(int logicalIndex)
{
    if (logicalIndex < 0)
        return;
    m_focused = logicalIndex;
    const int left = sectionViewportPosition(logicalIndex);
    const int right = left + sectionSize(logicalIndex);
    // A heading partly out of sight: the list scrolls sideways to show its column.
    auto* list = qobject_cast<QAbstractItemView*>(parentWidget());
    if (list != nullptr && (left < 0 || right > width()))
        list->scrollTo(list->model()->index(std::max(0, list->currentIndex().row()), logicalIndex));
    viewport()->update();
}

void SortHeader::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QHeaderView::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left: FocusSection(ShownSectionBeside(-1)); break;
    case Qt::Key_Right: FocusSection(ShownSectionBeside(1)); break;
    case Qt::Key_Home: FocusSection(ShownSectionBeside(-count())); break;
    case Qt::Key_End: FocusSection(ShownSectionBeside(count())); break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (const int section = FocusedSection(); section >= 0)
            emit sectionClicked(section);
        break;
    default: QHeaderView::keyPressEvent(event); return;
    }
    event->accept();
}

void SortHeader::focusInEvent(QFocusEvent* event)
{
    QHeaderView::focusInEvent(event);
    viewport()->update();
}

void SortHeader::focusOutEvent(QFocusEvent* event)
{
    QHeaderView::focusOutEvent(event);
    viewport()->update();
}

// A frame of the highlight colour: styles draw their own focus frame only
// under conditions a heading row does not meet. The section's painting
// leaves an empty clip behind, so the frame sets its own.
void SortHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    QHeaderView::paintSection(painter, rect, logicalIndex);
    if (!hasFocus() || logicalIndex != FocusedSection())
        return;
    painter->save();
    painter->setClipRect(rect, Qt::ReplaceClip);
    painter->setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(rect).adjusted(2, 2, -2, -2));
    painter->restore();
}
