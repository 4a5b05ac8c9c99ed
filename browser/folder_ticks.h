// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ticks pushed down to the catalogue rows and check states rolled up from
// them. Each call returns what it changed, so that the tree model can tell
// views with as few signals as possible. Qt-free; rows must be linked first.

#include "check_state.h"
#include "folder_node.h"

#include <cstddef>
#include <unordered_map>
#include <vector>

class CatalogueStore;
class FolderRowLinks;

// The catalogue rows a change touched, as one range (empty when first > last).
struct RowRange {
    std::size_t first = static_cast<std::size_t>(-1);
    std::size_t last = 0;
    bool Empty() const { return first > last; }
    void Add(std::size_t row);
};

class FolderTicks {
public:
    FolderTicks(CatalogueStore& store, const FolderRowLinks& links) : m_store(store), m_links(links) {}

    // The node and every node below it; the whole subtree changed.
    static void SetSubtreeState(FolderNode* node, CheckState state);
    // Ticks or unticks every row under the node (rows already so are set again).
    RowRange SetFilesUnder(const FolderNode* node, bool ticked) const;
    // Recomputes each ancestor, parent up to the top level, from the ticks of
    // the rows under it: Checked when none is unticked (also when it holds no
    // rows), Unchecked when none is ticked, else Partial. The node itself
    // stays. Returns the ancestors whose state changed.
    std::vector<FolderNode*> UpdateAncestors(FolderNode* node) const;
    // Ticks of rows lying directly in `folders` (nodes below "BKF") changed:
    // recomputes those folders and their ancestors by the same rule, each
    // once, reading the rows of the subtrees that did not change only until
    // both a ticked and an unticked row are met. Returns the nodes whose
    // state changed.
    std::vector<FolderNode*> RollUp(const std::vector<FolderNode*>& folders) const;

private:
    // Whether any of a set of rows is ticked, and whether any is not.
    struct TickFlags {
        bool ticked = false;
        bool unticked = false;
        bool Mixed() const { return ticked && unticked; }
    };
    void AddSubtreeFlags(const FolderNode* top, const FolderNode* skip, TickFlags& flags) const;
    void AddRowFlags(const FolderNode* node, TickFlags& flags) const;

    CatalogueStore& m_store;
    const FolderRowLinks& m_links;
};
