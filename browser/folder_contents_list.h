// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The contents of the folder selected in the tree, on screen: a report view
// with the columns "Name", "Type", "File Size", "Modified" and "Status" (a
// heading click sorts) and all its clicks and keys.
// A press on a row's box ticks or unticks the file (its catalogue row) or the
// folder (its node, everything below it and every row under it) and rolls the
// result up into the folder shown and its ancestors; on a selected row the
// press, Space and the context menu's tick entries act on every selected row.
// A double click or Enter opens a folder or the parent folder (the tree is
// asked to select it through a signal); Ctrl+A selects every row. While a
// scan runs (the window says so) check changes are refused with a message.
// The parent row never changes.
// On a file row, Enter, a double click beside the box and "Preview" in the
// menu ask for its preview, "Open" for its opening.

#include "check_state.h"

#include "tick_box_table_view.h"

#include <cstddef>
#include <vector>

class CatalogueListModel;
class FolderContentsListModel;
class FolderNode;
class FolderTreeModel;
class MessageService;
class SaveMenu;

class FolderContentsList : public TickBoxTableView {
    Q_OBJECT

public:
    static constexpr int kSaveFileCommand = 61475;

    // The models outlive the view; the view owns its rows' model.
    FolderContentsList(FolderTreeModel& tree, CatalogueListModel& catalogue, QWidget* parent = nullptr);

    void SetMessageService(MessageService* messages) { m_messages = messages; }
    void SetScanRunning(bool running) { m_scanRunning = running; }

    FolderContentsListModel& ContentsModel() const { return *m_rows; }
    QMenu* ContextMenu() const;
    // The row last selected (the current row), or -1.
    int SelectionMark() const;

    // --- Operations ------------------------------------------------------------
    // Shows the folder `node` (null: nothing); its folder rows are its children.
    void ShowFolder(FolderNode* node);
    void SetAllRows(CheckState state);
    CheckState GetCheckState(int row) const;
    void SetCheckState(int row, CheckState state);
    // Toggles the row, and every selected row with it when the row is selected.
    void ToggleRow(int row);
    // Folder and file rows to `state` with their ticks, then one roll-up.
    void SetRowsState(const std::vector<int>& rows, CheckState state);
    void SetFileTick(int row, bool ticked);
    void RollUpSelected();
    void OpenFolderRow(int row);
    // Presses at a point of the viewport.
    void OnClick(const QPoint& point);
    void OnDblClk(const QPoint& point) override;
    void OnRClick(const QPoint& point) override;
    // Tab, Enter and Space; returns false for keys left to the list's own handling.
    bool OnListKeyDown(int key);

signals:
    // A folder row or the parent row was opened: `node` is to be selected in
    // the tree (the list shows it either way).
    void folderOpened(FolderNode* node);

protected:
    bool event(QEvent* event) override;
    bool OnPress(const QPoint& point) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Ticks the catalogue rows of these file rows: for each, the first
    // catalogue row with its path (a second file of the same path never gets
    // the tick).
    void SetFileTicks(const std::vector<int>& rows, bool ticked);
    // The context menu's entries: the selection to `state`, refused while a scan runs.
    void SetSelectionState(CheckState state);
    // The child of the folder shown that a folder row names, or null.
    FolderNode* ChildFolder(int row) const;
    // The catalogue row of a file row, or FolderContentsListModel::kNoRow.
    std::size_t CatalogueRowOf(int row) const;
    // Emits `signal` for a file row.
    void RequestFor(int row, void (TickBoxTableView::*signal)(std::size_t));
    void AddFileCommands();
    // Asks the tree to select `node` and shows it here.
    void OpenFolder(FolderNode* node);

    FolderTreeModel& m_treeModel;
    CatalogueListModel& m_catalogue;
    FolderContentsListModel* m_rows;
    FolderNode* m_folder = nullptr; // the folder shown
    MessageService* m_messages = nullptr;
    SaveMenu* m_menu;
    bool m_scanRunning = false;
    int m_menuRow = -1;        // the row the context menu was opened for
};
