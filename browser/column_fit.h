// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Column widths that follow the list's width and its contents: every column
// as wide as its heading and its shown cells need, the last one taking the
// spare width; in a narrow list the columns that give way (the name or path,
// then the type, then the name again) shrink first, so that size, date and
// state stay whole.

#include <QList>

class QTableView;

// One step of giving way: `column` shrinks down to `floor` pixels.
struct GivingWay {
    int column = 0;
    int floor = 0;
};

struct ColumnRoom {
    QList<int> needs;           // per column; 0 for a hidden column
    QList<GivingWay> givingWay; // the steps, in order, before the list scrolls
};

// The widths for a list `available` pixels wide. When even the columns that
// give way at their floor do not fit, the list scrolls sideways.
QList<int> FitColumns(const ColumnRoom& room, int available);

// Keeps the view's columns fitted: on every resize of its viewport, a change
// of its font and (gathered) every change of its rows. The last column
// stretches. `name` gives way to 24 characters' width, then `type` to 10,
// then `name` to 10.
void KeepColumnsFitted(QTableView& view, int name, int type);
