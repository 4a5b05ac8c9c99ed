// SPDX-License-Identifier: GPL-3.0-or-later
#include "tick_box_table_view.h"

#include "report_view.h"

#include <QMouseEvent>

#include <utility>

void TickBoxTableView::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        OnRClick(point);
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event); // the list's own selection handling
    m_boxPressed = event->button() == Qt::LeftButton && OnPress(point);
}

void TickBoxTableView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        m_boxPressed = IsOnReportBox(*this, ReportRowAt(*this, point), point);
        OnDblClk(point);
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void TickBoxTableView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && std::exchange(m_boxPressed, false)) {
        setState(NoState);
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}
