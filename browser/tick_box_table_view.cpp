// SPDX-License-Identifier: GPL-3.0-or-later
#include "tick_box_table_view.h"

#include <QMouseEvent>

#include <utility>

void TickBoxTableView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && std::exchange(m_boxPressed, false)) {
        setState(NoState);
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}
