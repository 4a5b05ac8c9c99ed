// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The selection of the two catalogue lists as their ticks use it: a tick
// change on a selected row acts on every selected row, and the select-all
// key selects every row while a list has the focus.

#include <vector>

class QAbstractItemView;
class QEvent;

// The selected rows, ascending, each once.
std::vector<int> SelectedRows(const QAbstractItemView& view);
// The rows a tick change at `row` acts on: the whole selection when `row` is
// selected, else `row` alone.
std::vector<int> RowsActedOn(const QAbstractItemView& view, int row);
// For a list's event(): claims the select-all key (Ctrl+A) before the window's
// shortcut of the same key sees it, so that it reaches the list's own key
// handling, which selects every row. True when `event` was that key.
bool ClaimSelectAll(QEvent* event);
