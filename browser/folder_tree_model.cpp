// SPDX-License-Identifier: GPL-3.0-or-later
#include "folder_tree_model.h"

#include "catalogue_store.h"
#include "browser_images.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

namespace {

// From this many announced children on, a folder's new children wait until
// they double its count: a million subfolders cost an open view twenty
// layouts instead of one per batch.
constexpr std::size_t kDoublingFrom = 1024;

int ClampToInt(std::size_t value)
{
    return static_cast<int>(std::min<std::size_t>(value, std::numeric_limits<int>::max()));
}

} // namespace

FolderTreeModel::FolderTreeModel(CatalogueStore& store, QObject* parent)
    : QAbstractItemModel(parent)
    , m_store(store)
    , m_root(new FolderNode)
    , m_links(store, *m_root)
    , m_ticks(store, m_links)
{
    m_root->live = true;
}

FolderTreeModel::~FolderTreeModel() = default;

// --- Building ----------------------------------------------------------------

void FolderTreeModel::AddPath(std::string_view path)
{
    BeginBatch();
    FolderNode* parent = nullptr;
    std::vector<FolderNode*> chain;
    std::size_t start = 0;
    for (std::size_t sep = path.find(FolderRowLinks::kSeparator); sep != std::string_view::npos;
         sep = path.find(FolderRowLinks::kSeparator, start)) {
        parent = FindOrAddChild(parent, path.substr(start, sep - start));
        chain.push_back(parent);
        start = sep + 1;
    }
    // A scan hands over the same folder for every file in it: queue its chain once.
    if (parent != nullptr && parent != m_lastExpandedLeaf) {
        m_toExpand.insert(m_toExpand.end(), chain.begin(), chain.end());
        m_lastExpandedLeaf = parent;
    }
    EndBatch();
}

FolderNode* FolderTreeModel::FindOrAddChild(FolderNode* parent, std::string_view text)
{
    FolderNode* owner = parent != nullptr ? parent : Root();
    if (FolderNode* found = owner->FindChild(text))
        return found;

    const bool announceNow = m_batchDepth == 0 && owner->live;
    if (announceNow) {
        const int row = ClampToInt(owner->ChildCount());
        beginInsertRows(IndexOf(owner), row, row);
    }
    FolderNode* child = owner->AppendChild(text);
    ++m_nodeCount;
    if (announceNow) {
        owner->published = owner->ChildCount();
        child->live = true;
        endInsertRows();
    } else if (owner->live) {
        if (!owner->dirty) {
            owner->dirty = true;
            m_dirty.push_back(owner);
        }
    } else {
        // The owner itself is still unannounced, so its count may change freely.
        owner->published = owner->ChildCount();
    }
    return child;
}

FolderNode* FolderTreeModel::FindChild(const FolderNode* parent, std::string_view text) const
{
    return (parent != nullptr ? parent : Root())->FindChild(text);
}

void FolderTreeModel::BeginBatch()
{
    ++m_batchDepth;
}

void FolderTreeModel::EndBatch()
{
    if (m_batchDepth == 0)
        return;
    if (m_batchDepth > 1) {
        --m_batchDepth;
        return;
    }
    // Still inside the batch, so folders added for unlinked rows are announced below.
    LinkRows();
    m_batchDepth = 0;
    std::vector<FolderNode*> dirty;
    dirty.swap(m_dirty);
    for (FolderNode* owner : dirty) {
        if (!Announce(owner, false))
            m_dirty.push_back(owner);
    }
    RequestExpansions();
}

void FolderTreeModel::EnsureLinked()
{
    if (!m_links.HasNewRows())
        return;
    BeginBatch();
    LinkRows();
    EndBatch();
}

void FolderTreeModel::LinkRows()
{
    if (!m_links.HasNewRows())
        return;
    // A folder that only the paths of files name (files before any folder
    // block) is made here, and opened like the folders the scan hands over.
    m_links.LinkNewRows([this](FolderNode* parent, std::string_view text) {
        FolderNode* owner = parent->IsInvisibleRoot() ? nullptr : parent;
        const bool known = FindChild(owner, text) != nullptr;
        FolderNode* child = FindOrAddChild(owner, text);
        if (!known)
            m_toExpand.push_back(child);
        return child;
    });
}

void FolderTreeModel::AnnounceWaiting()
{
    std::vector<FolderNode*> dirty;
    dirty.swap(m_dirty);
    for (FolderNode* owner : dirty)
        Announce(owner, true);
}

bool FolderTreeModel::Announce(FolderNode* owner, bool now)
{
    const std::size_t first = owner->published;
    const std::size_t end = owner->ChildCount();
    if (!now && first >= kDoublingFrom && end < first * 2)
        return false;
    owner->dirty = false;
    if (first == end)
        return true;
    beginInsertRows(IndexOf(owner), ClampToInt(first), ClampToInt(end - 1));
    owner->published = end;
    // Every node below a newly announced one was added in the same batch.
    for (std::size_t row = first; row < end; ++row) {
        ForEachInSubtree(owner->Child(row), [](FolderNode* node) {
            node->live = true;
            return Walk::Continue;
        });
    }
    endInsertRows();
    return true;
}

void FolderTreeModel::RequestExpansions()
{
    m_lastExpandedLeaf = nullptr;
    if (m_toExpand.empty())
        return;
    QModelIndexList nodes;
    std::unordered_set<const FolderNode*> seen;
    // A folder without folders in it shows nothing more when opened: a
    // million of them cost the view seconds. One that gets a child later is
    // queued again with that child's chain.
    for (const FolderNode* node : m_toExpand) {
        if (node->ChildCount() > 0 && seen.insert(node).second)
            nodes.push_back(IndexOf(node));
    }
    m_toExpand.clear();
    emit expandRequested(nodes);
}

void FolderTreeModel::Clear()
{
    beginResetModel();
    m_root->RemoveChildren();
    m_root->published = 0;
    m_root->dirty = false;
    m_dirty.clear();
    m_toExpand.clear();
    m_lastExpandedLeaf = nullptr;
    m_nodeCount = 0;
    m_links.Forget();
    endResetModel();
}

// --- Paths and keys ------------------------------------------------------------

std::string FolderTreeModel::GetItemPath(const FolderNode* node) const
{
    std::vector<const FolderNode*> chain; // the node up to, not including, its top-level ancestor
    for (const FolderNode* each = node; each != nullptr && !each->IsTopLevel(); each = each->Parent())
        chain.push_back(each);
    std::string path;
    if (node == nullptr)
        return path;
    for (auto each = chain.rbegin(); each != chain.rend(); ++each) {
        path += (*each)->Text();
        path += FolderRowLinks::kSeparator;
    }
    return path;
}

std::string FolderTreeModel::GetFolderKey(const FolderNode* node) const
{
    return std::string(FolderRowLinks::kKeyStart) + GetItemPath(node);
}

// --- Check states --------------------------------------------------------------

CheckState FolderTreeModel::GetCheckState(const FolderNode* node) const
{
    return node != nullptr ? node->State() : CheckState::Unchecked;
}

void FolderTreeModel::SetCheckState(FolderNode* node, CheckState state)
{
    if (node == nullptr || node->State() == state)
        return;
    node->SetState(state);
    NotifyNode(node);
}

void FolderTreeModel::SetSubtreeState(FolderNode* node, CheckState state)
{
    if (node == nullptr)
        return;
    FolderTicks::SetSubtreeState(node, state);
    NotifySubtree(node);
}

void FolderTreeModel::SetFilesUnder(const FolderNode* node, bool ticked)
{
    EnsureLinked();
    NotifyTicks(m_ticks.SetFilesUnder(node, ticked));
}

void FolderTreeModel::UpdateAncestors(FolderNode* node)
{
    EnsureLinked();
    for (FolderNode* changed : m_ticks.UpdateAncestors(node))
        NotifyNode(changed);
}

void FolderTreeModel::RollUpRows(const std::vector<std::size_t>& rows)
{
    EnsureLinked();
    for (FolderNode* changed : m_ticks.RollUp(m_links.FoldersOf(rows)))
        NotifyNode(changed);
}

void FolderTreeModel::RollUpFolder(FolderNode* folder)
{
    if (folder == nullptr)
        return;
    EnsureLinked();
    for (FolderNode* changed : m_ticks.RollUp({folder}))
        NotifyNode(changed);
}

void FolderTreeModel::CheckAllCollapsed()
{
    // Folders that only the paths of files name (their blocks were lost) are
    // shown, checked like the others, even when no path came after their files.
    EnsureLinked();
    AnnounceWaiting();
    for (std::size_t row = 0; row < TopLevelCount(); ++row)
        FolderTicks::SetSubtreeState(TopLevelNode(row), CheckState::Checked);
    // Collapsed first: a tree view measures every shown row of a changed
    // range again, a second for a folder of a million open subfolders. Every
    // box changed: one layout change tells views so without a walk of every
    // folder (nothing moved, so no index changes).
    emit collapseAllRequested();
    emit layoutAboutToBeChanged();
    emit layoutChanged();
    if (TopLevelCount() > 0 && TopLevelNode(0)->live)
        emit expandRequested({IndexOf(TopLevelNode(0))});
}

// --- Rows ------------------------------------------------------------------------

std::vector<std::size_t> FolderTreeModel::RowsUnder(const FolderNode* node)
{
    EnsureLinked();
    return m_links.RowsUnder(node);
}

std::vector<std::size_t> FolderTreeModel::RowsIn(const FolderNode* node)
{
    EnsureLinked();
    return m_links.RowsIn(node);
}

// --- Navigation ------------------------------------------------------------------

std::size_t FolderTreeModel::TopLevelCount() const
{
    return m_root->ChildCount();
}

FolderNode* FolderTreeModel::TopLevelNode(std::size_t row) const
{
    return row < m_root->ChildCount() ? m_root->Child(row) : nullptr;
}

QModelIndex FolderTreeModel::IndexOf(const FolderNode* node) const
{
    if (node == nullptr || node->IsInvisibleRoot() || !node->live)
        return {};
    return createIndex(ClampToInt(node->Row()), 0, node);
}

FolderNode* FolderTreeModel::NodeAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<FolderNode*>(index.internalPointer());
}

// --- Signals ---------------------------------------------------------------------

void FolderTreeModel::NotifyNode(FolderNode* node)
{
    if (node->IsInvisibleRoot() || !node->live)
        return;
    const QModelIndex at = IndexOf(node);
    emit dataChanged(at, at, {Qt::CheckStateRole});
}

// One ranged dataChanged per announced folder of the subtree, never one per node.
void FolderTreeModel::NotifySubtree(FolderNode* top)
{
    NotifyNode(top);
    ForEachInSubtree(top, [this](FolderNode* each) {
        if (!each->live || each->published == 0)
            return Walk::SkipChildren;
        const QModelIndex parent = IndexOf(each);
        emit dataChanged(index(0, 0, parent), index(ClampToInt(each->published) - 1, 0, parent),
                         {Qt::CheckStateRole});
        return Walk::Continue;
    });
}

void FolderTreeModel::NotifyTicks(const RowRange& rows)
{
    if (!rows.Empty())
        emit ticksChanged(ClampToInt(rows.first), ClampToInt(rows.last));
}

// --- QAbstractItemModel ------------------------------------------------------------

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column != 0 || (parent.isValid() && parent.column() != 0))
        return {};
    const FolderNode* owner = parent.isValid() ? NodeAt(parent) : Root();
    if (owner == nullptr || static_cast<std::size_t>(row) >= owner->published)
        return {};
    return createIndex(row, 0, owner->Child(static_cast<std::size_t>(row)));
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const
{
    const FolderNode* node = NodeAt(child);
    return node != nullptr ? IndexOf(node->Parent()) : QModelIndex();
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    const FolderNode* owner = parent.isValid() ? NodeAt(parent) : Root();
    return owner != nullptr ? ClampToInt(owner->published) : 0;
}

int FolderTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const
{
    const FolderNode* node = NodeAt(index);
    if (node == nullptr)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromUtf8(node->Text().data(), static_cast<qsizetype>(node->Text().size()));
    case Qt::DecorationRole:
        return IconFor(node);
    case Qt::CheckStateRole:
        return QtCheckState(node->State());
    case StateImageRole:
        return static_cast<int>(TreeStateImage(node->State()));
    default:
        return {};
    }
}

bool FolderTreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    FolderNode* node = NodeAt(index);
    if (node == nullptr || role != Qt::CheckStateRole)
        return false;
    const int wanted = value.toInt();
    if (wanted != Qt::Checked && wanted != Qt::Unchecked)
        return false; // Partial is derived from the ticks, never chosen
    const bool ticked = wanted == Qt::Checked;
    SetSubtreeState(node, ticked ? CheckState::Checked : CheckState::Unchecked);
    SetFilesUnder(node, ticked);
    UpdateAncestors(node);
    return true;
}

Qt::ItemFlags FolderTreeModel::flags(const QModelIndex& index) const
{
    if (NodeAt(index) == nullptr)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

QIcon FolderTreeModel::IconFor(const FolderNode* node) const
{
    return node->IsTopLevel() ? BrowserImages::BackupIcon() : BrowserImages::FolderIcon();
}
