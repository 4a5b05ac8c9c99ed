// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table whose rows carry tick boxes: a left press that toggled a box (the
// list's own mousePressEvent says so through BoxPressed) leaves the selection
// as it is on release, so that a tick of a selection does not end with one
// row selected.

#include <QTableView>

class TickBoxTableView : public QTableView {
    Q_OBJECT

public:
    using QTableView::QTableView;

protected:
    // Whether the last left press toggled a box.
    void BoxPressed(bool pressed) { m_boxPressed = pressed; }
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_boxPressed = false;
};
