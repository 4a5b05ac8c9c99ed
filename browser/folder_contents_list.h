// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The contents of the folder selected in the tree, on screen: a report view
// with the columns "Name", "Type", "File Size", "Modified" and "Status" (a
// heading click sorts) and all its clicks and keys.
// A press on a row's box ticks or unticks the file (its catalogue row) or the
// folder (its node, everything below it and every row under it) and rolls the
// result up into the selected node and its ancestors; a double click or Enter
// opens a folder or the parent folder. While a scan runs (the window says so)
// check changes are refused with a message. The parent row never changes.

#include "check_state.h"

#include <QTableView>

class CatalogueListModel;
class FolderContentsListModel;
class FolderNode;
class FolderTree;
class FolderTreeModel;
class MessageService;
class SaveMenu;

class FolderContentsList : public QTableView {
    Q_OBJECT

public:
    static constexpr int kSaveFileCommand = 61475;

    // The models outlive the view; the view owns its rows' model.
    FolderContentsList(FolderTreeModel& tree, CatalogueListModel& catalogue, QWidget* parent = nullptr);

    void SetFolderTree(FolderTree* tree) { m_tree = tree; }
    void SetMessageService(MessageService* messages) { m_messages = messages; }
    void SetScanRunning(bool running) { m_scanRunning = running; }

    FolderContentsListModel& ContentsModel() const { return *m_rows; }
    QMenu* ContextMenu() const;
    // The row last selected (the current row), or -1.
    int SelectionMark() const;

    // --- Operations ------------------------------------------------------------
    void ShowFolder(const FolderNode* node);
    void SetAllRows(CheckState state);
    CheckState GetCheckState(int row) const;
    void SetCheckState(int row, CheckState state);
    void ToggleRow(int row);
    void SetFileTick(int row, bool ticked);
    void RollUpSelected();
    void OpenFolderRow(int row);
    // Presses at a point of the viewport.
    void OnClick(const QPoint& point);
    void OnDblClk(const QPoint& point);
    void OnRClick(const QPoint& point);
    // Tab, Enter and Space; returns false for keys left to the list's own handling.
    bool OnListKeyDown(int key);

signals:
    // "Save File" was chosen in the context menu.
    void saveRequested(int commandId);

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    FolderNode* SelectedNode() const;
    // Makes `node` the tree's selected node and shows it here.
    void OpenFolder(FolderNode* node);

    FolderTreeModel& m_treeModel;
    CatalogueListModel& m_catalogue;
    FolderContentsListModel* m_rows;
    FolderTree* m_tree = nullptr;
    MessageService* m_messages = nullptr;
    SaveMenu* m_menu;
    bool m_scanRunning = false;
};
