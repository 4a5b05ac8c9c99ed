// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_view.h"

#include "sort_header.h"
#include "state_image_delegate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPalette>
#include <QTableView>

void KeepSelectionVisible(QAbstractItemView& view)
{
    QPalette palette = view.palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    view.setPalette(palette);
}

bool IsPlainTabPress(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier;
}

void SetUpReportView(QTableView& view, const QList<int>& widths)
{
    view.setHorizontalHeader(new SortHeader(&view));
    view.setItemDelegate(new StateImageDelegate(&view));
    view.setShowGrid(true);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setSortingEnabled(false);
    view.setWordWrap(false);
    view.setTabKeyNavigation(false);
    view.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view.setFrameShape(QFrame::StyledPanel);

    KeepSelectionVisible(view);

    QHeaderView* rows = view.verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed); // uniform heights: no per-row size query
    rows->setDefaultSectionSize(view.fontMetrics().height() + 4);

    QHeaderView* columns = view.horizontalHeader();
    columns->setSectionsClickable(false);
    columns->setSortIndicatorShown(false);
    columns->setHighlightSections(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The last column (the state, whose texts run long: "partly saved (15.1
    // KiB of 64.0 KiB)") takes the width the others leave.
    columns->setStretchLastSection(true);
    for (int column = 0; column < widths.size(); ++column) {
        view.setColumnWidth(column, widths[column]);
        view.setColumnHidden(column, widths[column] == 0);
    }
}

int ReportRowAt(const QTableView& view, const QPoint& point)
{
    const QModelIndex index = view.indexAt(point);
    return index.isValid() ? index.row() : -1;
}

bool IsOnReportBox(const QTableView& view, int row, const QPoint& point)
{
    if (row < 0 || view.model() == nullptr)
        return false;
    const QRect cell = view.visualRect(view.model()->index(row, 0));
    return StateImageDelegate::BoxRect(cell).contains(point);
}
