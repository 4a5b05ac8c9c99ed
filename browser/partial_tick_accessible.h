// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Screen readers learn a partly ticked folder as partly checked (AT-SPI
// "indeterminate"). Qt's item views tell a cell's screen reader only whether
// it is checked, so the views named here get an accessible object that wraps
// Qt's own and answers its cells through wrappers adding the mixed state (and
// "checkable" for every cell with a box). Everything else is Qt's.

class QAbstractItemView;

// Gives `view` (a tree or table view whose model answers Qt::CheckStateRole
// with Qt::PartiallyChecked for partial boxes) the wrapping accessible object.
// Call before anything asks for the view's accessible object.
void ExposePartialTicks(QAbstractItemView& view);
