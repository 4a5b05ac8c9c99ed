#include "folder_tree.h"

#include "catalogue_store.h"
#include "shell_file_info.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr char kSeparator = '\\';
constexpr std::string_view kRootText = "BKF";
constexpr std::string_view kKeyStart = "BKF\\";

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

int ToQt(CheckState state)
{
    switch (state) {
    case CheckState::Checked: return Qt::Checked;
    case CheckState::Partial: return Qt::PartiallyChecked;
    case CheckState::Unchecked: break;
    }
    return Qt::Unchecked;
}

CheckState StateOf(bool anyTicked, bool anyUnticked)
{
    if (!anyUnticked)
        return CheckState::Checked; // also a folder with no rows at all
    return anyTicked ? CheckState::Partial : CheckState::Unchecked;
}

} // namespace

FolderTree::FolderTree(CatalogueStore& store, QObject* parent)
    : QAbstractItemModel(parent)
    , m_store(store)
    , m_root(new FolderNode({}, nullptr, 0))
{
    m_root->m_live = true;
    m_root->m_expanded = true;
}

FolderTree::~FolderTree() = default;

// --- Building ----------------------------------------------------------------

void FolderTree::AddPath(std::string_view path)
{
    FolderNode* parent = nullptr;
    std::size_t start = 0;
    for (std::size_t sep = path.find(kSeparator); sep != std::string_view::npos;
         sep = path.find(kSeparator, start)) {
        FolderNode* node = FindOrAddChild(parent, path.substr(start, sep - start));
        SetExpanded(node, true);
        parent = node;
        start = sep + 1;
    }
}

FolderNode* FolderTree::FindOrAddChild(FolderNode* parent, std::string_view text)
{
    FolderNode* owner = parent != nullptr ? parent : Root();
    if (FolderNode* found = owner->FindChild(text))
        return found;

    const bool announceNow = m_batchDepth == 0 && owner->m_live;
    if (announceNow) {
        const int row = static_cast<int>(owner->m_children.size());
        beginInsertRows(IndexOf(owner), row, row);
    }
    FolderNode* child = owner->AppendChild(text);
    ++m_nodeCount;
    if (announceNow) {
        owner->m_published = owner->m_children.size();
        child->m_live = true;
        endInsertRows();
    } else if (owner->m_live) {
        if (!owner->m_dirty) {
            owner->m_dirty = true;
            m_dirty.push_back(owner);
        }
    } else {
        // The owner itself is still unannounced, so its count may change freely.
        owner->m_published = owner->m_children.size();
    }
    return child;
}

FolderNode* FolderTree::FindChild(const FolderNode* parent, std::string_view text) const
{
    return (parent != nullptr ? parent : Root())->FindChild(text);
}

void FolderTree::BeginBatch()
{
    ++m_batchDepth;
}

void FolderTree::EndBatch()
{
    if (m_batchDepth == 0 || --m_batchDepth > 0)
        return;
    std::vector<FolderNode*> dirty;
    dirty.swap(m_dirty);
    for (FolderNode* owner : dirty)
        Announce(owner);
    LinkNewRows();
}

void FolderTree::ApplyPaths(const std::vector<std::string>& paths)
{
    BeginBatch();
    for (const std::string& path : paths)
        AddPath(path);
    EndBatch();
}

void FolderTree::Announce(FolderNode* owner)
{
    owner->m_dirty = false;
    const std::size_t first = owner->m_published;
    const std::size_t end = owner->m_children.size();
    if (first == end)
        return;
    beginInsertRows(IndexOf(owner), static_cast<int>(first), static_cast<int>(end - 1));
    owner->m_published = end;
    for (std::size_t row = first; row < end; ++row)
        MarkLive(owner->m_children[row].get());
    endInsertRows();
}

// Every node below a newly announced one was added in the same batch.
void FolderTree::MarkLive(FolderNode* node)
{
    std::vector<FolderNode*> stack{node};
    while (!stack.empty()) {
        FolderNode* each = stack.back();
        stack.pop_back();
        each->m_live = true;
        for (const auto& child : each->m_children)
            stack.push_back(child.get());
    }
}

void FolderTree::Clear()
{
    beginResetModel();
    m_root->m_children.clear();
    m_root->m_childIndex.clear();
    m_root->m_rows.clear();
    m_root->m_published = 0;
    m_root->m_dirty = false;
    m_dirty.clear();
    m_selected = nullptr;
    m_nodeCount = 0;
    m_linkedRows = 0;
    m_looseRows.clear();
    m_nodeCountAtRelink = 0;
    m_lastDirectory.clear();
    m_lastDirectoryNode = nullptr;
    endResetModel();
}

// --- Paths and keys ------------------------------------------------------------

std::string FolderTree::GetItemPath(const FolderNode* node) const
{
    std::vector<const FolderNode*> chain; // the node up to its top-level ancestor
    for (const FolderNode* each = node; each != nullptr && each != Root(); each = each->m_parent)
        chain.push_back(each);
    std::string path;
    if (chain.size() < 2)
        return path;
    for (auto each = chain.rbegin() + 1; each != chain.rend(); ++each) {
        path += (*each)->m_text;
        path += kSeparator;
    }
    return path;
}

std::string FolderTree::GetFolderKey(const FolderNode* node) const
{
    return std::string(kKeyStart) + GetItemPath(node);
}

// The node whose linked rows are the rows under `node`. The folder key always
// starts with "BKF\", whatever the top-level text, so the rows under a node
// are those linked below the node of the same item path under "BKF".
FolderNode* FolderTree::KeyNode(const FolderNode* node) const
{
    FolderNode* bkf = Root()->FindChild(kRootText);
    if (node == nullptr || bkf == nullptr)
        return nullptr;
    std::vector<const FolderNode*> chain;
    const FolderNode* top = node;
    for (; top->m_parent != Root(); top = top->m_parent)
        chain.push_back(top);
    if (top == bkf)
        return const_cast<FolderNode*>(node);
    FolderNode* found = bkf;
    for (auto each = chain.rbegin(); found != nullptr && each != chain.rend(); ++each)
        found = found->FindChild((*each)->m_text);
    return found;
}

// --- Check states --------------------------------------------------------------

CheckState FolderTree::GetCheckState(const FolderNode* node) const
{
    return node != nullptr ? node->m_state : CheckState::Unchecked;
}

void FolderTree::SetCheckState(FolderNode* node, CheckState state)
{
    if (node == nullptr || node->m_state == state)
        return;
    node->m_state = state;
    NotifyNode(node, {Qt::CheckStateRole});
}

void FolderTree::SetSubtreeState(FolderNode* node, CheckState state)
{
    if (node == nullptr)
        return;
    std::vector<FolderNode*> stack{node};
    while (!stack.empty()) {
        FolderNode* each = stack.back();
        stack.pop_back();
        each->m_state = state;
        for (const auto& child : each->m_children)
            stack.push_back(child.get());
    }
    NotifySubtree(node, {Qt::CheckStateRole});
}

void FolderTree::SetFilesUnder(const FolderNode* node, bool ticked)
{
    if (node == nullptr)
        return;
    LinkNewRows();
    std::size_t first = std::numeric_limits<std::size_t>::max();
    std::size_t last = 0;
    auto tick = [&](std::size_t row) {
        m_store.SetTicked(row, ticked);
        first = std::min(first, row);
        last = std::max(last, row);
    };
    if (const FolderNode* keyNode = KeyNode(node)) {
        std::vector<const FolderNode*> stack{keyNode};
        while (!stack.empty()) {
            const FolderNode* each = stack.back();
            stack.pop_back();
            for (std::uint32_t row : each->m_rows)
                tick(row);
            for (const auto& child : each->m_children)
                stack.push_back(child.get());
        }
    }
    if (!m_looseRows.empty()) {
        const std::string key = GetFolderKey(node);
        for (std::size_t row : m_looseRows) {
            if (StartsWith(m_store.Path(row), key))
                tick(row);
        }
    }
    if (first <= last)
        emit ticksChanged(static_cast<int>(first), static_cast<int>(last));
}

// One pass, bottom-up: the rows under an ancestor are the rows under the
// ancestor below it plus the ancestor's own rows and its other subtrees, so
// each row is read at most once; once both a ticked and an unticked row have
// been met, every ancestor further up is Partial and reading stops.
void FolderTree::UpdateAncestors(FolderNode* node)
{
    if (node == nullptr)
        return;
    LinkNewRows();
    std::vector<FolderNode*> ancestors;
    for (FolderNode* each = node->m_parent; each != nullptr && each != Root(); each = each->m_parent)
        ancestors.push_back(each);
    if (ancestors.empty())
        return;

    // A loose row under ancestor i is under every ancestor above it too, so it
    // counts from the deepest ancestor whose key it starts with.
    std::vector<TickFlags> looseFlags(ancestors.size());
    if (!m_looseRows.empty()) {
        std::vector<std::string> keys;
        for (const FolderNode* ancestor : ancestors)
            keys.push_back(GetFolderKey(ancestor));
        for (std::size_t row : m_looseRows) {
            const std::string_view path = m_store.Path(row);
            std::size_t level = ancestors.size();
            while (level > 0 && StartsWith(path, keys[level - 1]))
                --level;
            if (level < ancestors.size())
                (m_store.IsTicked(row) ? looseFlags[level].ticked : looseFlags[level].unticked) = true;
        }
    }

    TickFlags flags;
    const FolderNode* counted = nullptr; // key node whose subtree is already in `flags`
    for (std::size_t level = 0; level < ancestors.size(); ++level) {
        flags.ticked = flags.ticked || looseFlags[level].ticked;
        flags.unticked = flags.unticked || looseFlags[level].unticked;
        const FolderNode* keyNode = KeyNode(ancestors[level]);
        if (keyNode != nullptr && !flags.Mixed())
            AddSubtreeFlags(keyNode, counted, flags);
        counted = keyNode;
        SetCheckState(ancestors[level], StateOf(flags.ticked, flags.unticked));
    }
}

void FolderTree::AddSubtreeFlags(const FolderNode* top, const FolderNode* skip, TickFlags& flags) const
{
    std::vector<const FolderNode*> stack{top};
    while (!stack.empty() && !flags.Mixed()) {
        const FolderNode* each = stack.back();
        stack.pop_back();
        AddRowFlags(each, flags);
        for (const auto& child : each->m_children) {
            if (child.get() != skip)
                stack.push_back(child.get());
        }
    }
}

void FolderTree::AddRowFlags(const FolderNode* node, TickFlags& flags) const
{
    for (std::uint32_t row : node->m_rows) {
        (m_store.IsTicked(row) ? flags.ticked : flags.unticked) = true;
        if (flags.Mixed())
            return;
    }
}

FolderNode* FolderTree::FindChildFolder(std::string_view name) const
{
    return m_selected != nullptr ? m_selected->FindChild(name) : nullptr;
}

void FolderTree::CheckAllCollapsed()
{
    std::vector<FolderNode*> stack;
    for (const auto& top : m_root->m_children)
        stack.push_back(top.get());
    while (!stack.empty()) {
        FolderNode* each = stack.back();
        stack.pop_back();
        each->m_expanded = false;
        each->m_state = CheckState::Checked;
        for (const auto& child : each->m_children)
            stack.push_back(child.get());
    }
    if (!m_root->m_children.empty())
        m_root->m_children.front()->m_expanded = true;
    NotifySubtree(Root(), {Qt::CheckStateRole, ExpandedRole});
}

bool FolderTree::IsExpanded(const FolderNode* node) const
{
    return node != nullptr && node->m_expanded;
}

void FolderTree::SetExpanded(FolderNode* node, bool expanded)
{
    if (node == nullptr || node->m_expanded == expanded)
        return;
    node->m_expanded = expanded;
    NotifyNode(node, {ExpandedRole});
}

// --- Row links -------------------------------------------------------------------

void FolderTree::LinkNewRows()
{
    const std::size_t count = m_store.RowCount();
    if (count < m_linkedRows) {
        // The store was emptied without the tree: forget every link.
        std::vector<FolderNode*> stack{Root()};
        while (!stack.empty()) {
            FolderNode* each = stack.back();
            stack.pop_back();
            each->m_rows.clear();
            for (const auto& child : each->m_children)
                stack.push_back(child.get());
        }
        m_looseRows.clear();
        m_linkedRows = 0;
    }
    if (!m_looseRows.empty() && m_nodeCount != m_nodeCountAtRelink)
        RelinkLooseRows();
    m_nodeCountAtRelink = m_nodeCount;
    for (std::size_t row = m_linkedRows; row < count; ++row)
        LinkRow(row);
    m_linkedRows = count;
}

void FolderTree::RelinkLooseRows()
{
    std::vector<std::size_t> loose;
    loose.swap(m_looseRows);
    for (std::size_t row : loose)
        LinkRow(row);
}

void FolderTree::LinkRow(std::size_t row)
{
    const std::string_view path = m_store.Path(row);
    if (!StartsWith(path, kKeyStart))
        return; // no folder key is a prefix of it: it lies under no node
    const std::string_view directory = path.substr(0, path.rfind(kSeparator) + 1);
    FolderNode* node = nullptr;
    if (m_lastDirectoryNode != nullptr && directory == m_lastDirectory) {
        node = m_lastDirectoryNode;
    } else {
        node = DirectoryNode(directory);
        if (node != nullptr) {
            m_lastDirectory.assign(directory);
            m_lastDirectoryNode = node;
        }
    }
    if (node == nullptr || row > std::numeric_limits<std::uint32_t>::max()) {
        m_looseRows.push_back(row);
        return;
    }
    node->m_rows.push_back(static_cast<std::uint32_t>(row));
}

// The node of a directory "BKF\a\b\" under the top-level "BKF", or null.
FolderNode* FolderTree::DirectoryNode(std::string_view directory)
{
    FolderNode* node = Root()->FindChild(kRootText);
    std::size_t start = kKeyStart.size();
    while (node != nullptr && start < directory.size()) {
        const std::size_t sep = directory.find(kSeparator, start);
        node = node->FindChild(directory.substr(start, sep - start));
        start = sep + 1;
    }
    return node;
}

std::vector<std::size_t> FolderTree::RowsUnder(const FolderNode* node)
{
    std::vector<std::size_t> rows;
    if (node == nullptr)
        return rows;
    LinkNewRows();
    if (const FolderNode* keyNode = KeyNode(node))
        CollectRows(keyNode, rows);
    AddLooseRows(GetFolderKey(node), false, rows);
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<std::size_t> FolderTree::RowsIn(const FolderNode* node)
{
    std::vector<std::size_t> rows;
    if (node == nullptr)
        return rows;
    LinkNewRows();
    if (const FolderNode* keyNode = KeyNode(node))
        rows.assign(keyNode->m_rows.begin(), keyNode->m_rows.end());
    AddLooseRows(GetFolderKey(node), true, rows);
    std::sort(rows.begin(), rows.end());
    return rows;
}

void FolderTree::CollectRows(const FolderNode* node, std::vector<std::size_t>& rows) const
{
    std::vector<const FolderNode*> stack{node};
    while (!stack.empty()) {
        const FolderNode* each = stack.back();
        stack.pop_back();
        rows.insert(rows.end(), each->m_rows.begin(), each->m_rows.end());
        for (const auto& child : each->m_children)
            stack.push_back(child.get());
    }
}

void FolderTree::AddLooseRows(const std::string& key, bool directOnly, std::vector<std::size_t>& rows) const
{
    for (std::size_t row : m_looseRows) {
        const std::string_view path = m_store.Path(row);
        if (!StartsWith(path, key))
            continue;
        if (directOnly && path.find(kSeparator, key.size()) != std::string_view::npos)
            continue;
        rows.push_back(row);
    }
}

// --- Navigation ------------------------------------------------------------------

std::size_t FolderTree::TopLevelCount() const
{
    return m_root->m_children.size();
}

FolderNode* FolderTree::TopLevelNode(std::size_t row) const
{
    return row < m_root->m_children.size() ? m_root->m_children[row].get() : nullptr;
}

QModelIndex FolderTree::IndexOf(const FolderNode* node) const
{
    if (node == nullptr || node == Root() || !node->m_live)
        return {};
    return createIndex(static_cast<int>(node->m_row), 0, node);
}

FolderNode* FolderTree::NodeAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<FolderNode*>(index.internalPointer());
}

void FolderTree::NotifyNode(FolderNode* node, const QList<int>& roles)
{
    if (node == Root() || !node->m_live)
        return;
    const QModelIndex at = IndexOf(node);
    emit dataChanged(at, at, roles);
}

// One ranged dataChanged per announced folder of the subtree, never one per node.
void FolderTree::NotifySubtree(FolderNode* top, const QList<int>& roles)
{
    NotifyNode(top, roles);
    std::vector<FolderNode*> stack{top};
    while (!stack.empty()) {
        FolderNode* each = stack.back();
        stack.pop_back();
        if (!each->m_live || each->m_published == 0)
            continue;
        const QModelIndex parent = IndexOf(each);
        const int last = static_cast<int>(each->m_published) - 1;
        emit dataChanged(index(0, 0, parent), index(last, 0, parent), roles);
        for (std::size_t row = 0; row < each->m_published; ++row)
            stack.push_back(each->m_children[row].get());
    }
}

// --- QAbstractItemModel ------------------------------------------------------------

QModelIndex FolderTree::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column != 0 || (parent.isValid() && parent.column() != 0))
        return {};
    const FolderNode* owner = parent.isValid() ? NodeAt(parent) : Root();
    if (owner == nullptr || static_cast<std::size_t>(row) >= owner->m_published)
        return {};
    return createIndex(row, 0, owner->m_children[static_cast<std::size_t>(row)].get());
}

QModelIndex FolderTree::parent(const QModelIndex& child) const
{
    const FolderNode* node = NodeAt(child);
    if (node == nullptr || node->m_parent == Root())
        return {};
    return IndexOf(node->m_parent);
}

int FolderTree::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    const FolderNode* owner = parent.isValid() ? NodeAt(parent) : Root();
    return owner != nullptr ? static_cast<int>(owner->m_published) : 0;
}

int FolderTree::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant FolderTree::data(const QModelIndex& index, int role) const
{
    const FolderNode* node = NodeAt(index);
    if (node == nullptr)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromUtf8(node->m_text.data(), static_cast<qsizetype>(node->m_text.size()));
    case Qt::DecorationRole:
        return IconFor(node);
    case Qt::CheckStateRole:
        return ToQt(node->m_state);
    case ImageIndexRole:
        return node->IsTopLevel() ? BackupImage : ClosedFolderImage;
    case SelectedImageIndexRole:
        return node->IsTopLevel() ? BackupImage : OpenFolderImage;
    case ExpandedRole:
        return node->m_expanded;
    default:
        return {};
    }
}

bool FolderTree::setData(const QModelIndex& index, const QVariant& value, int role)
{
    FolderNode* node = NodeAt(index);
    if (node == nullptr)
        return false;
    if (role == ExpandedRole) {
        SetExpanded(node, value.toBool());
        return true;
    }
    if (role != Qt::CheckStateRole)
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

Qt::ItemFlags FolderTree::flags(const QModelIndex& index) const
{
    if (NodeAt(index) == nullptr)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

QIcon FolderTree::IconFor(const FolderNode* node) const
{
    if (node->IsTopLevel()) {
        if (m_backupIcon.isNull())
            m_backupIcon = ShellFileInfo::GetBackupIcon();
        return m_backupIcon;
    }
    if (m_folderIcon.isNull())
        m_folderIcon = ShellFileInfo::GetFolderIcon();
    return m_folderIcon;
}
