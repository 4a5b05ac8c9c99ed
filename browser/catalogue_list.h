// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The found-files list on screen: every catalogued file the filter shows with
// its whole catalogue path (cut in the middle when too long), "File Name",
// "File Type", "File Size", the hidden data offset, "Modified" and "Status".
// A heading click sorts. Its two-state boxes are the ticks a save reads; a
// ticked row is red on pale rose. A press (left, double or right) on a box
// toggles the tick; a tick changed here is not passed on to the tree or the
// contents list until they are next recomputed. Elsewhere a right press
// offers "Save Files", "Tick shown rows" and "Untick shown rows". No refusal
// while a scan runs.

#include <QTableView>

class CatalogueListModel;
class SaveMenu;

class CatalogueList : public QTableView {
    Q_OBJECT

public:
    static constexpr int kSaveFilesCommand = 32003;

    // The model outlives the view.
    explicit CatalogueList(CatalogueListModel& model, QWidget* parent = nullptr);

    QMenu* ContextMenu() const;

    void OnClick(const QPoint& point);
    void OnDblClk(const QPoint& point);
    void OnRClick(const QPoint& point);

signals:
    void saveRequested(int commandId);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Toggles the tick of the row whose box lies at `point`; false when none does.
    bool ToggleBoxAt(const QPoint& point);
    void ToggleTick(int row);

    CatalogueListModel& m_model;
    SaveMenu* m_menu;
};
