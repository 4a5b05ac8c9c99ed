#pragma once
// The catalogue tree: one top-level node "BKF", below it the backup sets,
// below those their directories. Files are never nodes; they are rows of the
// CatalogueStore, and a row lies under a node exactly when its catalogue path
// begins with the node's folder key ("BKF\" + item path).
//
// The tree is a thin Qt item model over plain FolderNode structs. Nodes are
// handed out as FolderNode pointers, stable until Clear(). Every operation
// runs on the user-interface thread.
//
// Speed: each folder keeps a hash index over its children, and each catalogue
// row is linked to the node of its directory, so the rows under a node are
// found by walking its subtree instead of testing every row. Rows are linked
// lazily from the store (by EndBatch and before any tick operation); a row
// whose directory has no node yet falls back to the plain prefix test, so
// results never depend on the order in which paths and rows arrive.

#include "check_state.h"
#include "folder_node.h"
#include "scan_sinks.h"

#include <QAbstractItemModel>
#include <QIcon>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CatalogueStore;

class FolderTree : public QAbstractItemModel, public FolderPathSink {
    Q_OBJECT

public:
    enum Role {
        // Image of the node: 0 closed folder, 1 open folder, 2 backup.
        ImageIndexRole = Qt::UserRole + 1,
        // Image of the node when it is selected or open.
        SelectedImageIndexRole,
        // Whether the node is expanded (bool). Settable, so a view can report
        // the user's own expanding and collapsing.
        ExpandedRole,
    };
    enum Image { ClosedFolderImage = 0, OpenFolderImage = 1, BackupImage = 2 };

    explicit FolderTree(CatalogueStore& store, QObject* parent = nullptr);
    ~FolderTree() override;

    // --- The tree's operations ------------------------------------------------

    // Adds every component before the last "\" as a chain of nodes under the
    // top level, reusing a child of equal text, and expands each node of the
    // chain. The text after the last "\" (a file name) is never added.
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
    // Changes the node's box only (expansion and selection stay).
    void SetCheckState(FolderNode* node, CheckState state);
    // The node and every node below it.
    void SetSubtreeState(FolderNode* node, CheckState state);
    // Ticks or unticks every catalogue row under the node.
    void SetFilesUnder(const FolderNode* node, bool ticked);
    // Recomputes each ancestor, parent up to the top level, from the ticks of
    // the rows under it: Checked when none is unticked (also when it holds no
    // rows), Unchecked when none is ticked, else Partial. The node itself stays.
    void UpdateAncestors(FolderNode* node);
    // The child of the selected node whose text equals `name`, or null.
    FolderNode* FindChildFolder(std::string_view name) const;
    // Every node Checked and collapsed, then the first top-level node expanded.
    void CheckAllCollapsed();

    // --- What a view would otherwise hold ------------------------------------

    void SetSelectedNode(FolderNode* node) { m_selected = node; }
    FolderNode* SelectedNode() const { return m_selected; }
    bool IsExpanded(const FolderNode* node) const;
    void SetExpanded(FolderNode* node, bool expanded);

    // --- Building during a scan ----------------------------------------------

    // Between BeginBatch and EndBatch added nodes are announced to views only
    // at EndBatch: one rowsInserted per folder that gained children. Batches
    // nest; the outermost EndBatch announces. EndBatch also links the rows
    // appended to the store so far.
    void BeginBatch();
    void EndBatch();
    // AddPath for each path inside one batch.
    void ApplyPaths(const std::vector<std::string>& paths);
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
    // Rows lying directly in the node's folder (no "\" after the folder key), in catalogue order.
    std::vector<std::size_t> RowsIn(const FolderNode* node);
    // Links the rows appended to the store since the last call. Cheap when
    // nothing is new; called by every operation that reads the rows.
    void LinkNewRows();

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

private:
    // Tick flags of a set of rows: whether any is ticked, whether any is not.
    struct TickFlags {
        bool ticked = false;
        bool unticked = false;
        bool Mixed() const { return ticked && unticked; }
    };

    FolderNode* Root() const { return m_root.get(); }
    FolderNode* KeyNode(const FolderNode* node) const;
    FolderNode* DirectoryNode(std::string_view rowPath);
    void LinkRow(std::size_t row);
    void RelinkLooseRows();
    void Announce(FolderNode* parent);
    static void MarkLive(FolderNode* node);
    void NotifySubtree(FolderNode* node, const QList<int>& roles);
    void NotifyNode(FolderNode* node, const QList<int>& roles);
    void CollectRows(const FolderNode* node, std::vector<std::size_t>& rows) const;
    void AddLooseRows(const std::string& key, bool directOnly, std::vector<std::size_t>& rows) const;
    void AddSubtreeFlags(const FolderNode* node, const FolderNode* skip, TickFlags& flags) const;
    void AddRowFlags(const FolderNode* node, TickFlags& flags) const;
    QIcon IconFor(const FolderNode* node) const;

    CatalogueStore& m_store;
    std::unique_ptr<FolderNode> m_root; // the invisible root
    FolderNode* m_selected = nullptr;
    std::size_t m_nodeCount = 0;
    int m_batchDepth = 0;
    std::vector<FolderNode*> m_dirty; // live folders with unannounced children

    // Row links: rows [0, m_linkedRows) of the store have been looked at.
    std::size_t m_linkedRows = 0;
    // Rows under "BKF\" whose directory had no node when they were linked;
    // tested by prefix, and linked once their folder appears.
    std::vector<std::size_t> m_looseRows;
    std::size_t m_nodeCountAtRelink = 0;
    // The directory of the last linked row: scan rows come folder by folder.
    std::string m_lastDirectory;
    FolderNode* m_lastDirectoryNode = nullptr;

    mutable QIcon m_folderIcon;
    mutable QIcon m_backupIcon;
};
