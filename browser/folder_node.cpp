// SPDX-License-Identifier: GPL-3.0-or-later
#include "folder_node.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace {
// Below this many children a linear search is cheaper than a hash index.
constexpr std::size_t kIndexThreshold = 8;

std::uint32_t TextHash(std::string_view text)
{
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(text));
}
std::uint32_t SlotHash(std::uint64_t slot) { return static_cast<std::uint32_t>(slot >> 32); }
std::size_t SlotRow(std::uint64_t slot) { return static_cast<std::size_t>(slot & 0xffffffffu) - 1; }
} // namespace

FolderNode::~FolderNode()
{
    RemoveChildren();
}

// Iterative, so a hostile path of thousands of levels cannot exhaust the stack.
void FolderNode::RemoveChildren()
{
    std::vector<std::unique_ptr<FolderNode>> pending = std::move(m_children);
    m_children.clear();
    m_childIndex.reset();
    m_indexSize = 0;
    while (!pending.empty()) {
        std::unique_ptr<FolderNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->m_children)
            pending.push_back(std::move(child));
        node->m_children.clear();
    }
}

const FolderNode* FolderNode::Parent() const
{
    return m_parent != nullptr && m_parent->m_parent != nullptr ? m_parent : nullptr;
}

FolderNode* FolderNode::Parent()
{
    return m_parent != nullptr && m_parent->m_parent != nullptr ? m_parent : nullptr;
}

FolderNode* FolderNode::FindChild(std::string_view text) const
{
    if (m_indexSize != 0) {
        const std::uint64_t slot = m_childIndex[IndexSlot(text, TextHash(text))];
        return slot != 0 ? m_children[SlotRow(slot)].get() : nullptr;
    }
    for (const auto& child : m_children) {
        if (child->m_text == text)
            return child.get();
    }
    return nullptr;
}

FolderNode* FolderNode::AppendChild(std::string_view text)
{
    m_children.emplace_back(new FolderNode(text, this, m_children.size()));
    const std::size_t count = m_children.size();
    if (count > kIndexThreshold) {
        // At most half full, so probes stay short; grows by doubling.
        if (m_indexSize < count * 2)
            RebuildIndex(std::max<std::size_t>(32, std::size_t{m_indexSize} * 2));
        else
            IndexChild(count - 1);
    }
    return m_children.back().get();
}

// The slot holding `text`, or the empty slot where it would go.
std::size_t FolderNode::IndexSlot(std::string_view text, std::uint32_t hash) const
{
    const std::size_t mask = m_indexSize - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const std::uint64_t slot = m_childIndex[at];
        if (slot == 0 || (SlotHash(slot) == hash && m_children[SlotRow(slot)]->m_text == text))
            return at;
    }
}

// Adds child `row`, whose text no other child has, to a table with room.
void FolderNode::IndexChild(std::size_t row)
{
    const std::uint32_t hash = TextHash(m_children[row]->m_text);
    const std::size_t mask = m_indexSize - 1;
    std::size_t at = hash & mask;
    while (m_childIndex[at] != 0)
        at = (at + 1) & mask;
    m_childIndex[at] = (std::uint64_t{hash} << 32) | (row + 1);
}

// A table of `slotCount` slots (a power of two) holding every child; the hash
// is taken from the old slots, not the texts.
void FolderNode::RebuildIndex(std::size_t slotCount)
{
    const std::unique_ptr<std::uint64_t[]> old =
        std::exchange(m_childIndex, std::make_unique<std::uint64_t[]>(slotCount)); // zeroed
    const std::size_t oldSize = std::exchange(m_indexSize, static_cast<std::uint32_t>(slotCount));
    const std::size_t mask = slotCount - 1;
    const auto place = [&](std::uint64_t slot) {
        std::size_t at = SlotHash(slot) & mask;
        while (m_childIndex[at] != 0)
            at = (at + 1) & mask;
        m_childIndex[at] = slot;
    };
    for (std::size_t at = 0; at < oldSize; ++at) {
        if (old[at] != 0)
            place(old[at]);
    }
    // The children not in the old table: all of them when it is first built.
    for (std::size_t row = 0; row < m_children.size(); ++row) {
        if (oldSize == 0 || row + 1 == m_children.size())
            place((std::uint64_t{TextHash(m_children[row]->m_text)} << 32) | (row + 1));
    }
}
