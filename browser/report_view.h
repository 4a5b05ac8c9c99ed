// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shared look of the two catalogue lists: a report view with grid lines,
// full-row selection that stays visible without focus, uniform row heights,
// no sorting (a click on a heading changes nothing), left-aligned headings of
// starting widths (each list then fits them, see column_fit.h), and state
// images drawn by StateImageDelegate.

#include <QList>
#include <QPoint>

class QAbstractItemView;
class QEvent;
class QTableView;

// The selection keeps its colours when the view loses the focus (the tree too).
void KeepSelectionVisible(QAbstractItemView& view);
// A Tab press without modifiers: the views take it before the focus chain does.
bool IsPlainTabPress(const QEvent* event);

// `widths` are the starting column widths in pixels; a width of 0 hides the column.
void SetUpReportView(QTableView& view, const QList<int>& widths);
// The row at a point of the view's viewport, or -1 outside every row.
int ReportRowAt(const QTableView& view, const QPoint& point);
// Whether the point lies on the state image of `row`.
bool IsOnReportBox(const QTableView& view, int row, const QPoint& point);
