// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which catalogue rows lie under a folder node. The rule is a prefix test: a
// row lies under a node when its catalogue path begins with the node's folder
// key, "BKF\" followed by the node's item path. Instead of testing every row,
// each row is linked once to the node of its directory below the top-level
// node "BKF", creating that folder chain when the scan never handed it over;
// the rows under a node are then the rows linked in the subtree of the node
// with the same item path below "BKF" (its key node). Qt-free.

#include "folder_node.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CatalogueStore;

class FolderRowLinks {
public:
    // Finds or adds the child of `parent` with `text`; the tree model's own
    // FindOrAddChild, so that created nodes are announced to views.
    using FindOrAddChild = std::function<FolderNode*(FolderNode* parent, std::string_view text)>;

    // `root` is the tree's invisible root; both outlive this object.
    FolderRowLinks(const CatalogueStore& store, FolderNode& root);

    // Links the rows appended to the store since the last call. A row whose
    // path does not begin with "BKF\" lies under no node and is passed over.
    // A store that shrank (emptied without the tree) is linked again from its
    // first row.
    void LinkNewRows(const FindOrAddChild& findOrAdd);
    bool HasNewRows() const;
    // Every link is dropped; call when the tree is emptied.
    void Forget();

    // The node below "BKF" with the same item path as `node`, or null when
    // there is none (then no row lies under `node`).
    FolderNode* KeyNode(const FolderNode* node) const;
    // Rows under the node, in catalogue order. Linked rows only: call
    // LinkNewRows first.
    std::vector<std::size_t> RowsUnder(const FolderNode* node) const;
    // Rows lying directly in the node's folder (no "\" after the key).
    std::vector<std::size_t> RowsIn(const FolderNode* node) const;
    // The nodes the rows are linked to, each once; rows lying under no node
    // are passed over. Linked rows only.
    std::vector<FolderNode*> FoldersOf(const std::vector<std::size_t>& rows) const;

    static constexpr std::string_view kRootText = "BKF";
    static constexpr std::string_view kKeyStart = "BKF\\";
    static constexpr char kSeparator = '\\';

private:
    FolderNode* Bkf() const { return m_root.FindChild(kRootText); }
    // The directory part of a row's path, "BKF\a\b\"; empty when the path
    // does not begin with "BKF\".
    std::string_view DirectoryPart(std::size_t row) const;
    // The node of a directory "BKF\a\b\", or null; adds the missing chain
    // through `findOrAdd` when one is given.
    FolderNode* DirectoryNode(std::string_view directory, const FindOrAddChild* findOrAdd) const;
    void LinkRow(std::size_t row, const FindOrAddChild& findOrAdd);

    const CatalogueStore& m_store;
    FolderNode& m_root;
    std::size_t m_linkedRows = 0; // rows [0, m_linkedRows) have been linked
    // The directory of the last linked row: scan rows come folder by folder.
    std::string m_lastDirectory;
    FolderNode* m_lastDirectoryNode = nullptr;
};
