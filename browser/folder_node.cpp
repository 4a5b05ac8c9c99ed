#include "folder_node.h"

namespace {
// Below this many children a linear search is cheaper than a hash index.
constexpr std::size_t kIndexThreshold = 8;
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
    m_childIndex.clear();
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
    if (!m_childIndex.empty()) {
        const auto found = m_childIndex.find(text);
        return found != m_childIndex.end() ? found->second : nullptr;
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
    FolderNode* child = m_children.back().get();
    if (!m_childIndex.empty()) {
        m_childIndex.emplace(child->m_text, child);
    } else if (m_children.size() > kIndexThreshold) {
        // Keys view the children's own texts: nodes never move or rename.
        m_childIndex.reserve(m_children.size() * 2);
        for (const auto& each : m_children)
            m_childIndex.emplace(each->m_text, each.get());
    }
    return child;
}
