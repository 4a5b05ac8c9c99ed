// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The catalogue tree as a Qt item model: one top-level node "BKF", below it
// the backup sets, below those their directories. Files are never nodes; they
// are rows of the CatalogueStore (see FolderRowLinks for which rows lie under
// a node, FolderTicks for ticks and states). This class is the thin adapter
// that owns the nodes and tells views what changed.
//
// Nodes are handed out as FolderNode pointers, stable until Clear().
// Expansion and selection are the view's; where the tree's operations open or
// close nodes (AddPath, CheckAllCollapsed) the model asks views to through
// expandRequested and collapseAllRequested. Every call runs on the
// user-interface thread.

#include "check_state.h"
#include "folder_node.h"
#include "folder_row_links.h"
#include "folder_ticks.h"
#include "scan_sinks.h"

#include <QAbstractItemModel>
#include <QIcon>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CatalogueStore;

class FolderTreeModel : public QAbstractItemModel, public FolderPathSink {
    Q_OBJECT

public:
    explicit FolderTreeModel(CatalogueStore& store, QObject* parent = nullptr);
    ~FolderTreeModel() override;

    // --- The tree's operations ------------------------------------------------

    // Adds every component before the last "\" as a chain of nodes under the
    // top level, reusing a child of equal text, and asks views to expand each
    // node of the chain. The text after the last "\" (a file name) is never added.
    void AddPath(std::string_view path) override;
    // The first child of `parent` (null: the invisible root) whose text equals
    // `text`, or a new last child. Never null.
    FolderNode* FindOrAddChild(FolderNode* parent, std::string_view text);
    // Lookup without adding; null when there is no such child.
    FolderNode* FindChild(const FolderNode* parent, std::string_view text) const;

    // Texts below the top-level node down to the node's own, each followed by
    // "\"; empty for a top-level node or null.
    std::string GetItemPath(const FolderNode* node) const;
    // "BKF\" + item path.
    std::string GetFolderKey(const FolderNode* node) const;

    CheckState GetCheckState(const FolderNode* node) const;
    // Changes the node's box only.
    void SetCheckState(FolderNode* node, CheckState state);
    // The node and every node below it.
    void SetSubtreeState(FolderNode* node, CheckState state);
    // Ticks or unticks every catalogue row under the node.
    void SetFilesUnder(const FolderNode* node, bool ticked);
    // Recomputes each ancestor from the ticks of the rows under it (FolderTicks).
    void UpdateAncestors(FolderNode* node);
    // Ticks of these catalogue rows were changed in the found-files list: the
    // folders they lie in and those folders' ancestors follow (FolderTicks::RollUp).
    void RollUpRows(const std::vector<std::size_t>& rows);
    // Ticks under `folder` were changed: it and its ancestors follow, by the same rule.
    void RollUpFolder(FolderNode* folder);
    // Links the rows appended so far (adding their folders), then every node
    // Checked; views collapse everything and expand the first top-level node.
    void CheckAllCollapsed();

    // --- Building during a scan ----------------------------------------------

    // Between BeginBatch and EndBatch added nodes are announced to views only
    // at EndBatch: one rowsInserted per folder that gained children, then one
    // expandRequested. Batches nest; the outermost EndBatch announces. EndBatch
    // also links the rows appended to the store so far. A folder with many
    // announced children takes new ones in doubling steps (an open view lays
    // out all its rows again at each announcement); CheckAllCollapsed
    // announces what is left.
    void BeginBatch();
    void EndBatch();
    // AddPath for each path of `paths` (strings or views) inside one batch.
    template <typename Paths>
    void ApplyPaths(const Paths& paths)
    {
        BeginBatch();
        for (const auto& path : paths)
            AddPath(path);
        EndBatch();
    }
    // Deletes every node and forgets every row link. Clear the store together
    // with the tree: rows are linked by their index.
    void Clear();

    // --- Navigation and rows -------------------------------------------------

    std::size_t TopLevelCount() const;
    FolderNode* TopLevelNode(std::size_t row) const;
    std::size_t NodeCount() const { return m_nodeCount; }
    QModelIndex IndexOf(const FolderNode* node) const; // invalid for null or unannounced nodes
    FolderNode* NodeAt(const QModelIndex& index) const; // null for the invisible root
    // Rows under the node, in catalogue order.
    std::vector<std::size_t> RowsUnder(const FolderNode* node);
    // Rows lying directly in the node's folder, in catalogue order.
    std::vector<std::size_t> RowsIn(const FolderNode* node);

    // --- QAbstractItemModel --------------------------------------------------

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // CheckStateRole ticks or unticks the node with everything under it and
    // recomputes its ancestors; PartiallyChecked is refused.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // Ticks of catalogue rows in [firstRow, lastRow] may have changed (a
    // list model over the same store refreshes that range).
    void ticksChanged(int firstRow, int lastRow);
    // Views should expand these nodes (each once, parents before children).
    void expandRequested(const QModelIndexList& nodes);
    // Views should collapse every node.
    void collapseAllRequested();

private:
    FolderNode* Root() const { return m_root.get(); }
    // Links rows appended to the store since the last call, adding the folder
    // chain of a row whose folder the scan never handed over: EnsureLinked
    // announces such folders at once, LinkRows leaves them to the open batch.
    void EnsureLinked();
    void LinkRows();
    // Announces `parent`'s new children; false when they wait for the next
    // doubling step (unless `now`).
    bool Announce(FolderNode* parent, bool now);
    void AnnounceWaiting();
    void RequestExpansions();
    void NotifySubtree(FolderNode* node);
    void NotifyNode(FolderNode* node);
    void NotifyTicks(const RowRange& rows);
    QIcon IconFor(const FolderNode* node) const;

    CatalogueStore& m_store;
    std::unique_ptr<FolderNode> m_root; // the invisible root
    FolderRowLinks m_links;
    FolderTicks m_ticks;
    std::size_t m_nodeCount = 0;
    int m_batchDepth = 0;
    std::vector<FolderNode*> m_dirty;    // live folders with unannounced children
    std::vector<FolderNode*> m_toExpand; // chains of this batch's paths, in order
    const FolderNode* m_lastExpandedLeaf = nullptr; // the chain end last queued
};
