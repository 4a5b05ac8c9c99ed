// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The found-files list on screen: every catalogued file the filter shows with
// its whole catalogue path (cut in the middle when too long), "File Name",
// "File Type", "File Size", the hidden data offset, "Modified" and "Status".
// A heading click sorts. Its two-state boxes are the ticks a save reads; a
// ticked row is red on pale rose. A press (left, double or right) on a box,
// Space and the context menu's tick entries change the ticks of the whole
// selection when the row is selected (else of the row alone); the tree and
// the contents list follow (CatalogueListModel::SetTicked). Elsewhere a right
// press offers "Save Files", the tick entries, "Tick shown rows" and "Untick
// shown rows". Ctrl+A selects every row. No refusal while a scan runs.
// Enter, a double click beside the box and "Preview" in the menu ask for the
// row's preview, "Open" for its opening.

#include "tick_box_table_view.h"

#include <cstddef>
#include <vector>

class CatalogueListModel;
class SaveMenu;

class CatalogueList : public TickBoxTableView {
    Q_OBJECT

public:
    // The model outlives the view.
    explicit CatalogueList(CatalogueListModel& model, QWidget* parent = nullptr);

    QMenu* ContextMenu() const;
    // The catalogue row shown in view row `row` (>= 0).
    std::size_t CatalogueRowOf(int row) const;

    void OnClick(const QPoint& point);
    void OnDblClk(const QPoint& point) override;
    void OnRClick(const QPoint& point) override;

protected:
    bool event(QEvent* event) override;
    bool OnPress(const QPoint& point) override { return ToggleBoxAt(point); }
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Toggles the tick at the box that lies at `point`; false when none does.
    bool ToggleBoxAt(const QPoint& point);
    // The row's tick toggled, and the selection's with it when the row is selected.
    void ToggleTick(int row);
    void SetTicks(const std::vector<int>& rows, bool ticked);
    // Emits `signal` for view row `row` when there is one.
    void RequestFor(int row, void (TickBoxTableView::*signal)(std::size_t));
    void AddFileCommands();

    CatalogueListModel& m_model;
    SaveMenu* m_menu;
    int m_menuRow = -1;        // the row the context menu was opened for
};
