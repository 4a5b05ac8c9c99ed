#include "folder_ticks.h"

#include "catalogue_store.h"
#include "folder_row_links.h"

#include <algorithm>

namespace {

CheckState StateOf(bool anyTicked, bool anyUnticked)
{
    if (!anyUnticked)
        return CheckState::Checked; // also a folder with no rows at all
    return anyTicked ? CheckState::Partial : CheckState::Unchecked;
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
        for (std::size_t row : each->Rows()) {
            (m_store.IsTicked(row) ? flags.ticked : flags.unticked) = true;
            if (flags.Mixed())
                return Walk::Stop;
        }
        return Walk::Continue;
    });
}
