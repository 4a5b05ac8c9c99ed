#pragma once
// One folder of the catalogue tree: a plain struct owned by FolderTree, never
// a QObject, so a tree of many thousand folders stays cheap.

#include "check_state.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class FolderNode {
public:
    ~FolderNode();
    FolderNode(const FolderNode&) = delete;
    FolderNode& operator=(const FolderNode&) = delete;

    // One component of a catalogue path, UTF-8, compared byte for byte.
    const std::string& Text() const { return m_text; }
    // Null for a top-level node: the invisible root is never handed out.
    const FolderNode* Parent() const;
    FolderNode* Parent();
    // Position among the parent's children; children keep their first-appearance order.
    std::size_t Row() const { return m_row; }
    std::size_t ChildCount() const { return m_children.size(); }
    FolderNode* Child(std::size_t row) const { return m_children[row].get(); }
    bool IsTopLevel() const { return m_parent != nullptr && m_parent->m_parent == nullptr; }

private:
    friend class FolderTree;

    FolderNode(std::string_view text, FolderNode* parent, std::size_t row)
        : m_text(text), m_parent(parent), m_row(row) {}
    FolderNode* FindChild(std::string_view text) const;
    FolderNode* AppendChild(std::string_view text);

    std::string m_text;
    FolderNode* m_parent; // null only for the invisible root
    std::size_t m_row;
    std::vector<std::unique_ptr<FolderNode>> m_children;
    // Hash index over the children's texts, built once a folder has more than a
    // handful of children, so a folder of 100,000 subfolders stays linear to fill.
    std::unordered_map<std::string_view, FolderNode*> m_childIndex;
    // Catalogue rows whose directory is exactly this folder.
    std::vector<std::uint32_t> m_rows;
    // Children the model has announced to views; the rest were added inside a batch.
    std::size_t m_published = 0;
    bool m_live = false;  // announced to views (the invisible root always is)
    bool m_dirty = false; // live, with children waiting for the end of the batch
    bool m_expanded = false;
    CheckState m_state = CheckState::Unchecked;
};
