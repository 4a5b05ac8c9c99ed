// SPDX-License-Identifier: GPL-3.0-or-later
#include "folder_ticks.h"

#include "catalogue_store.h"
#include "folder_row_links.h"

#include <algorithm>
#include <unordered_set>

namespace {

CheckState StateOf(bool anyTicked, bool anyUnticked)
{
    if (!anyUnticked)
        return CheckState::Checked; // also a folder with no rows at all
    return anyTicked ? CheckState::Partial : CheckState::Unchecked;
}

// The folders and all their ancestors, each once, deepest first.
std::vector<FolderNode*> DeepestFirst(const std::vector<FolderNode*>& folders)
{
    std::unordered_set<const FolderNode*> seen;
    std::vector<std::pair<std::size_t, FolderNode*>> order; // depth, node
    for (FolderNode* folder : folders) {
        std::size_t depth = 0;
        for (const FolderNode* up = folder != nullptr ? folder->Parent() : nullptr; up != nullptr; up = up->Parent())
            ++depth;
        for (FolderNode* each = folder; each != nullptr && seen.insert(each).second; each = each->Parent())
            order.emplace_back(depth--, each);
    }
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<FolderNode*> nodes;
    nodes.reserve(order.size());
    for (const auto& each : order)
        nodes.push_back(each.second);
    return nodes;
}

} // namespace

void RowRange::Add(std::size_t row)
{
    first = std::min(first, row);
    last = std::max(last, row);
}

void FolderTicks::SetSubtreeState(FolderNode* node, CheckState state)
{
    ForEachInSubtree(node, [state](FolderNode* each) {
        each->SetState(state);
        return Walk::Continue;
    });
}

RowRange FolderTicks::SetFilesUnder(const FolderNode* node, bool ticked) const
{
    RowRange changed;
    ForEachInSubtree(m_links.KeyNode(node), [&](const FolderNode* each) {
        for (std::size_t row : each->Rows()) {
            m_store.SetTicked(row, ticked);
            changed.Add(row);
        }
        return Walk::Continue;
    });
    return changed;
}

// One pass, bottom-up: the rows under an ancestor are the rows under the
// ancestor below it plus the ancestor's own rows and its other subtrees, so
// each row is read at most once; once both a ticked and an unticked row have
// been met, every ancestor further up is Partial and reading stops.
std::vector<FolderNode*> FolderTicks::UpdateAncestors(FolderNode* node) const
{
    std::vector<FolderNode*> changed;
    TickFlags flags;
    const FolderNode* counted = nullptr; // key node whose subtree is already in `flags`
    for (FolderNode* ancestor = node != nullptr ? node->Parent() : nullptr; ancestor != nullptr;
         ancestor = ancestor->Parent()) {
        const FolderNode* keyNode = m_links.KeyNode(ancestor);
        if (keyNode != nullptr && !flags.Mixed())
            AddSubtreeFlags(keyNode, counted, flags);
        counted = keyNode;
        const CheckState state = StateOf(flags.ticked, flags.unticked);
        if (ancestor->State() != state) {
            ancestor->SetState(state);
            changed.push_back(ancestor);
        }
    }
    return changed;
}

void FolderTicks::AddSubtreeFlags(const FolderNode* top, const FolderNode* skip, TickFlags& flags) const
{
    ForEachInSubtree(top, [&](const FolderNode* each) {
        if (each == skip)
            return Walk::SkipChildren;
        AddRowFlags(each, flags);
        return flags.Mixed() ? Walk::Stop : Walk::Continue;
    });
}

void FolderTicks::AddRowFlags(const FolderNode* node, TickFlags& flags) const
{
    for (std::size_t row : node->Rows()) {
        if (!IsListedFile(m_store.Status(row)))
            continue; // no tick box: it decides nothing about its folder
        (m_store.IsTicked(row) ? flags.ticked : flags.unticked) = true;
        if (flags.Mixed())
            return;
    }
}

// Each node is recomputed from its own rows, the flags its recomputed
// children passed up and the subtrees of its other children.
std::vector<FolderNode*> FolderTicks::RollUp(const std::vector<FolderNode*>& folders) const
{
    const std::vector<FolderNode*> nodes = DeepestFirst(folders);
    std::unordered_map<const FolderNode*, TickFlags> flags;
    for (const FolderNode* node : nodes)
        flags.emplace(node, TickFlags{});
    std::vector<FolderNode*> changed;
    for (FolderNode* node : nodes) {
        TickFlags& own = flags[node];
        AddRowFlags(node, own);
        for (std::size_t child = 0; child < node->ChildCount() && !own.Mixed(); ++child) {
            if (flags.count(node->Child(child)) == 0)
                AddSubtreeFlags(node->Child(child), nullptr, own);
        }
        const CheckState state = StateOf(own.ticked, own.unticked);
        if (node->State() != state) {
            node->SetState(state);
            changed.push_back(node);
        }
        if (node->Parent() != nullptr) {
            TickFlags& up = flags[node->Parent()];
            up.ticked = up.ticked || own.ticked;
            up.unticked = up.unticked || own.unticked;
        }
    }
    return changed;
}
