// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_selection.h"

#include <QAbstractItemView>
#include <QKeyEvent>

#include <algorithm>

std::vector<int> SelectedRows(const QAbstractItemView& view)
{
    std::vector<int> rows;
    // Ranges, not indexes: a select-all of a million rows is one range.
    for (const QItemSelectionRange& range : view.selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

std::vector<int> RowsActedOn(const QAbstractItemView& view, int row)
{
    const QModelIndex index = view.model()->index(row, 0);
    if (index.isValid() && view.selectionModel()->isSelected(index))
        return SelectedRows(view);
    return {row};
}

bool ClaimSelectAll(QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride || !static_cast<QKeyEvent*>(event)->matches(QKeySequence::SelectAll))
        return false;
    event->accept();
    return true;
}
