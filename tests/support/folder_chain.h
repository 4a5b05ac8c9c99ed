// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding a folder of the tree by its texts. Header-only (browser).

#include "folder_tree_model.h"

#include <initializer_list>
#include <string_view>

// The node reached by the chain of texts from the top level down, or null
// where it breaks.
inline FolderNode* NodeAt(const FolderTreeModel& tree, std::initializer_list<std::string_view> chain)
{
    FolderNode* node = nullptr;
    for (std::string_view text : chain) {
        node = tree.FindChild(node, text);
        if (node == nullptr)
            return nullptr;
    }
    return node;
}
