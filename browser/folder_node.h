// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One folder of the catalogue tree: a plain struct owned by FolderTreeModel,
// never a QObject, so a tree of many thousand folders stays cheap. Nothing
// here knows Qt; ForEachInSubtree is the one walk over a subtree.

#include "check_state.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class FolderNode {
public:
    // The invisible root of a tree: no text, no parent.
    FolderNode() : FolderNode({}, nullptr, 0) {}
    ~FolderNode();
    FolderNode(const FolderNode&) = delete;
    FolderNode& operator=(const FolderNode&) = delete;

    // One component of a catalogue path, UTF-8, compared byte for byte.
    const std::string& Text() const { return m_text; }
    // Null for a top-level node: the invisible root is never handed out.
    const FolderNode* Parent() const;
    FolderNode* Parent();
    bool IsInvisibleRoot() const { return m_parent == nullptr; }
    bool IsTopLevel() const { return m_parent != nullptr && m_parent->m_parent == nullptr; }
    // Position among the parent's children; children keep their first-appearance order.
    std::size_t Row() const { return m_row; }
    std::size_t ChildCount() const { return m_children.size(); }
    FolderNode* Child(std::size_t row) const { return m_children[row].get(); }
    // The first child whose text equals `text`, or null.
    FolderNode* FindChild(std::string_view text) const;
    // A new last child. The caller checked that no child has this text.
    FolderNode* AppendChild(std::string_view text);
    // Deletes every child (and so the whole subtree below this node).
    void RemoveChildren();

    CheckState State() const { return m_state; }
    void SetState(CheckState state) { m_state = state; }

    // Catalogue rows whose directory is exactly this folder, in catalogue order.
    const std::vector<std::size_t>& Rows() const { return m_rows; }
    void AddRow(std::size_t row) { m_rows.push_back(row); }
    void ForgetRows() { m_rows.clear(); }

    // Announcement to item views, kept by the model: how many children views
    // know of, whether views know this node, whether children wait for the end
    // of a batch.
    std::size_t published = 0;
    bool live = false;
    bool dirty = false;

private:
    FolderNode(std::string_view text, FolderNode* parent, std::size_t row)
        : m_row(static_cast<std::uint32_t>(row)), m_text(text), m_parent(parent) {}

    std::size_t IndexSlot(std::string_view text, std::uint32_t hash) const;
    void IndexChild(std::size_t row);
    void RebuildIndex(std::size_t slotCount);

    // The small fields first, beside the public ones, so that a node takes
    // 120 bytes: a backup can hold a million folders.
    CheckState m_state = CheckState::Unchecked;
    std::uint32_t m_row; // children are numbered in 32 bits, as the index packs them
    std::uint32_t m_indexSize = 0; // slots of m_childIndex, a power of two; 0 without one
    std::string m_text;
    FolderNode* m_parent; // null only for the invisible root
    std::vector<std::unique_ptr<FolderNode>> m_children;
    // Open-addressing hash index over the children's texts, built once a folder
    // has more than a handful of children, so a folder of a million subfolders
    // stays linear to fill. A slot holds the text's hash in its high half and
    // the child's row + 1 in its low half; 0 is an empty slot. One flat table
    // instead of a node per child: no allocation per folder, and a rehash
    // never hashes a text again.
    std::unique_ptr<std::uint64_t[]> m_childIndex;
    std::vector<std::size_t> m_rows;
};

// What a visitor of ForEachInSubtree asks for next.
enum class Walk {
    Continue,     // go on, into this node's children too
    SkipChildren, // go on, but not below this node
    Stop,         // end the walk
};

// Visits `top` and everything below it, depth first, each node before its
// children and children in order. Iterative, so a hostile path of thousands of
// levels cannot exhaust the stack. `visit(node)` returns a Walk.
template <typename Node, typename Visit>
void ForEachInSubtree(Node* top, Visit&& visit)
{
    if (top == nullptr)
        return;
    std::vector<Node*> stack{top};
    while (!stack.empty()) {
        Node* node = stack.back();
        stack.pop_back();
        const Walk next = visit(node);
        if (next == Walk::Stop)
            return;
        if (next == Walk::SkipChildren)
            continue;
        for (std::size_t row = node->ChildCount(); row-- > 0;)
            stack.push_back(node->Child(row));
    }
}
