// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tree of sets and folders on screen, and all its mouse and keyboard
// handling. Left presses are handled here entirely: a press on a node's box
// ticks or unticks the node with everything below it and every catalogue row
// under it; a press elsewhere on a node selects it and opens or closes it.
// The selected node decides what the contents list shows (through signals:
// the tree knows no list). While a scan runs (the window says so) check
// changes are refused with a message.
//
// Expansion and selection live here, not in the model; the model asks for
// expansions through its signals (AddPath, CheckAllCollapsed).

#include "check_state.h"

#include <QTreeView>

class FolderNode;
class FolderTreeModel;
class MessageService;
class SaveMenu;

class FolderTree : public QTreeView {
    Q_OBJECT

public:
    // The model outlives the view.
    explicit FolderTree(FolderTreeModel& model, QWidget* parent = nullptr);

    // The message service for the refusal; it outlives the view (or is unset first).
    void SetMessageService(MessageService* messages) { m_messages = messages; }
    // A scan runs while the window shows its Stop button.
    void SetScanRunning(bool running) { m_scanRunning = running; }
    bool IsScanRunning() const { return m_scanRunning; }

    FolderTreeModel& TreeModel() const { return m_model; }
    FolderNode* SelectedNode() const;
    // Makes `node` the selected node; `folderSelected` follows.
    void SelectNode(const FolderNode* node);
    // Whether `point` (viewport coordinates) lies on a node's state image.
    bool IsOnBox(const QPoint& point) const;
    QMenu* ContextMenu() const;

    // The box toggle with its propagation: subtree, contents shown, rows, ancestors.
    void ToggleNode(FolderNode* node);
    // `node` and everything below it ticked or unticked, with the same propagation.
    void SetNodeTicked(FolderNode* node, CheckState state);
    void OnLButtonDown(const QPoint& point);
    void OnRButtonDown(const QPoint& point);
    // Tab and Space; returns false for keys left to the tree's own handling.
    bool OnTreeKeyDown(int key);
    void OnTreeSelChanged();

signals:
    // "Save Files" was chosen in the context menu.
    void saveRequested(int commandId);
    // The selected node changed (null: none); its contents are to show.
    void folderSelected(FolderNode* node);
    // `node` and everything below it were set to `state`: its contents are to
    // show, every row in that state.
    void folderTicked(FolderNode* node, CheckState state);
    // Tab was pressed: the focus goes on to the contents.
    void tabPressed();

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Dotted connecting lines (also at the top level) under the style's buttons.
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;

private:
    void UseFieldTextForArrows();
    void AddMenuCommands();
    void DrawBranchLines(QPainter& painter, const QRect& rect, const QModelIndex& index) const;
    void ToggleExpansion(const QModelIndex& index);
    void ExpandNodes(const QModelIndexList& nodes);

    FolderTreeModel& m_model;
    MessageService* m_messages = nullptr;
    SaveMenu* m_menu;
    FolderNode* m_menuNode = nullptr; // the folder the menu was opened on
    bool m_scanRunning = false;
};
