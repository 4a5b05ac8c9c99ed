// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Heading clicks that sort a list through its model's sort(): the first click
// on a heading sorts ascending, the second descending, the third returns to
// the list's own order (sort(-1)); the heading shows the arrow meanwhile.

class QTableView;

#include <Qt>

// The view's model must stay its model for the view's life.
void EnableHeaderSort(QTableView& view);
// Sorts a list that EnableHeaderSort was given by `column` in `order`, with
// the arrow; column -1 returns to the list's own order. The next heading
// click goes on from there.
void SortList(QTableView& view, int column, Qt::SortOrder order = Qt::AscendingOrder);

// How a list is sorted: by `column` in `order`, or in its own order (column -1).
struct ListSort {
    int column = -1;
    Qt::SortOrder order = Qt::AscendingOrder;
};
ListSort CurrentSort(const QTableView& view);
