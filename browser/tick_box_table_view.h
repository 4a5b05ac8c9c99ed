// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table whose rows carry tick boxes, as the found-files list and the
// contents list are: a right press opens the list's context menu, a double
// click goes to the list, and a left press that toggled a box leaves the
// selection as it is on release, so that a tick of a selection does not end
// with one row selected. Both lists ask for a save, a preview and an Open
// through the same signals.

#include <QTableView>

#include <cstddef>

class TickBoxTableView : public QTableView {
    Q_OBJECT

public:
    using QTableView::QTableView;

    // Presses at a point of the viewport.
    virtual void OnDblClk(const QPoint& point) = 0;
    virtual void OnRClick(const QPoint& point) = 0;

signals:
    void saveRequested(int commandId);
    void previewRequested(std::size_t catalogueRow);
    void openRequested(std::size_t catalogueRow);

protected:
    // A left press at `point`, after the table's own handling; true when it
    // was on a box.
    virtual bool OnPress(const QPoint& point) = 0;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_boxPressed = false;
};
