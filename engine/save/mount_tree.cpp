// SPDX-License-Identifier: GPL-3.0-or-later
#include "mount_tree.h"

#include "catalogue_row.h"
#include "mtf_date.h"
#include "output_name.h"
#include "output_path.h"

#include <algorithm>
#include <functional>
#include <unordered_map>

namespace {

struct ChildKey {
    MountTree::NodeId parent;
    std::string_view name;
    bool operator==(const ChildKey& other) const { return parent == other.parent && name == other.name; }
};

struct ChildKeyHash {
    std::size_t operator()(const ChildKey& key) const
    {
        return std::hash<std::string_view>()(key.name) * 31 + key.parent;
    }
};

// The components of a catalogue path as `extract` names them on disk, or nothing when it refuses the path.
std::optional<std::vector<std::string>> DiskComponents(std::string_view cataloguePath)
{
    auto components = SafePathComponents(cataloguePath, nullptr);
    if (components) {
        for (std::string& component : *components)
            component = FitNameLength(component, kNameByteLimit);
    }
    return components;
}

} // namespace

// Adds the rows in catalogue order, as `extract` creates their files: a name
// taken already (by a file or a folder) gets the first free number.
class MountTree::Builder {
public:
    Builder(MountTree& tree, std::int64_t folderSeconds) : m_tree(tree), m_folderSeconds(folderSeconds) {}

    void AddRow(std::size_t row, std::int64_t modified)
    {
        const std::string_view path = m_tree.m_store.Path(row);
        const auto components = DiskComponents(path);
        if (!components)
            return; // `extract` refuses it: unsafe path
        NodeId folder = kRoot;
        for (std::size_t i = 0; i + 1 < components->size(); ++i) {
            folder = EnterFolder(folder, (*components)[i], path);
        }
        AddFile(folder, components->back(), path, static_cast<std::int64_t>(row), modified);
    }

private:
    NodeId EnterFolder(NodeId parent, const std::string& name, std::string_view path)
    {
        const auto known = m_index.find(ChildKey{parent, name});
        if (known == m_index.end())
            return Add(parent, name, path, -1, m_folderSeconds);
        if (m_tree.m_nodes[known->second].row < 0)
            return known->second;
        return NumberedFolder(parent, name, path);
    }

    // A file holds the folder's name: the folder is numbered as a file would
    // be ("x (2)"), as `extract` does, and every later file of it goes there.
    NodeId NumberedFolder(NodeId parent, const std::string& name, std::string_view path)
    {
        const std::string key = std::to_string(parent) + '/' + name;
        const auto numbered = m_numberedFolders.find(key);
        if (numbered != m_numberedFolders.end())
            return numbered->second;
        for (std::uint64_t number = 2;; ++number) {
            const std::string actual = CandidateName(name, number, kNameByteLimit);
            if (m_index.count(ChildKey{parent, actual}) != 0)
                continue;
            const NodeId folder = Add(parent, actual, path, -1, m_folderSeconds);
            m_numberedFolders.emplace(key, folder);
            return folder;
        }
    }

    void AddFile(NodeId folder, const std::string& base, std::string_view path, std::int64_t row,
                 std::int64_t modified)
    {
        const std::string key = std::to_string(folder) + '/' + base;
        const auto memo = m_nextNumber.find(key);
        for (std::uint64_t number = memo == m_nextNumber.end() ? 1 : memo->second;; ++number) {
            const std::string name = CandidateName(base, number, kNameByteLimit);
            if (m_index.count(ChildKey{folder, name}) != 0)
                continue;
            if (number > 1)
                m_nextNumber[key] = number + 1;
            Add(folder, name, path, row, modified);
            return;
        }
    }

    // A new node; its name points into the catalogue path when it is the same text.
    NodeId Add(NodeId parent, const std::string& name, std::string_view path, std::int64_t row, std::int64_t modified)
    {
        const std::size_t at = path.find(name);
        const bool sameText = at != std::string_view::npos
                              && (at + name.size() == path.size() || path[at + name.size()] == '\\')
                              && (at == 0 || path[at - 1] == '\\');
        const std::string_view stored = sameText ? path.substr(at, name.size())
                                                 : std::string_view(m_tree.m_ownNames.emplace_back(name));
        const NodeId id = static_cast<NodeId>(m_tree.m_nodes.size());
        m_tree.m_nodes.push_back(Node{stored, parent, 0, 0, 0, row, modified});
        if (row < 0)
            ++m_tree.m_nodes[parent].folderCount;
        m_index.emplace(ChildKey{parent, stored}, id);
        return id;
    }

    MountTree& m_tree;
    const std::int64_t m_folderSeconds;
    std::unordered_map<ChildKey, NodeId, ChildKeyHash> m_index;
    // The next number to try for a name that was taken, so that a thousand
    // files of one name cost no quadratic search.
    std::unordered_map<std::string, std::uint64_t> m_nextNumber;
    // Folders numbered because a file held their name, by parent and name.
    std::unordered_map<std::string, NodeId> m_numberedFolders;
};

MountTree::MountTree(const CatalogueStore& store, std::uint64_t backupSize, std::int64_t fallbackSeconds)
    : m_store(store), m_backupSize(backupSize)
{
    m_nodes.push_back(Node{{}, kRoot, 0, 0, 0, -1, fallbackSeconds});
    {
        Builder builder(*this, fallbackSeconds);
        for (std::size_t row = 0; row < store.RowCount(); ++row)
            if (IsListedFile(store.Status(row)))
                builder.AddRow(row, MtfDateSeconds(store.Row(row).modified).value_or(fallbackSeconds));
    }
    SortChildren();
    m_checks = std::make_unique<std::atomic<std::uint8_t>[]>(m_nodes.size());
    for (const FolderDate& date : store.FolderDates()) {
        std::string_view path = date.path;
        while (!path.empty() && path.back() == '\\')
            path.remove_suffix(1);
        const auto components = DiskComponents(path);
        std::optional<NodeId> node = kRoot;
        for (std::size_t i = 0; components && node && i < components->size(); ++i)
            node = Child(*node, (*components)[i]);
        const auto seconds = MtfDateSeconds(date.modified);
        if (components && node && IsFolder(*node) && seconds)
            m_nodes[*node].modified = *seconds;
    }
}

void MountTree::SortChildren()
{
    m_children.resize(m_nodes.size() - 1);
    for (NodeId id = 1; id < m_nodes.size(); ++id)
        m_children[id - 1] = id;
    std::sort(m_children.begin(), m_children.end(), [this](NodeId a, NodeId b) {
        const Node& left = m_nodes[a];
        const Node& right = m_nodes[b];
        return left.parent != right.parent ? left.parent < right.parent : left.name < right.name;
    });
    for (std::size_t at = 0; at < m_children.size(); ++at) {
        Node& parent = m_nodes[m_nodes[m_children[at]].parent];
        if (parent.childCount++ == 0)
            parent.firstChild = static_cast<NodeId>(at);
    }
}

std::optional<MountTree::NodeId> MountTree::Child(NodeId folder, std::string_view name) const
{
    const Node& parent = m_nodes[folder];
    const auto begin = m_children.begin() + parent.firstChild;
    const auto end = begin + parent.childCount;
    const auto found = std::lower_bound(begin, end, name,
                                        [this](NodeId child, std::string_view wanted) { return m_nodes[child].name < wanted; });
    if (found == end || m_nodes[*found].name != name)
        return std::nullopt;
    return *found;
}

std::optional<MountTree::NodeId> MountTree::Find(std::string_view path) const
{
    std::optional<NodeId> node = kRoot;
    std::size_t begin = 0;
    while (node && begin < path.size()) {
        const std::size_t end = std::min(path.find('/', begin), path.size());
        if (end > begin) {
            if (!IsFolder(*node))
                return std::nullopt;
            node = Child(*node, path.substr(begin, end - begin));
        }
        begin = end + 1;
    }
    return node;
}

ByteRange MountTree::Data(NodeId node) const
{
    const std::int64_t row = m_nodes[node].row;
    return row < 0 ? ByteRange{0, 0} : RowDataRange(m_store.Row(static_cast<std::size_t>(row)), m_backupSize);
}

namespace {
enum CheckState : std::uint8_t { kUnchecked, kChecking, kIntact, kDamaged };
} // namespace

const char* MountTree::Status(NodeId node) const
{
    const std::int64_t row = m_nodes[node].row;
    if (row < 0)
        return nullptr;
    const RowStatus status = m_store.Row(static_cast<std::size_t>(row)).status;
    const std::uint8_t check = m_checks[node].load(std::memory_order_acquire);
    return RowStatusText(check == kIntact || check == kDamaged ? StatusAfterDataCheck(status, check == kIntact)
                                                                : status);
}

bool MountTree::ClaimCheck(NodeId node) const
{
    const std::int64_t row = m_nodes[node].row;
    if (row < 0 || m_store.Row(static_cast<std::size_t>(row)).status != RowStatus::NotChecked)
        return false;
    std::uint8_t unchecked = kUnchecked;
    return m_checks[node].compare_exchange_strong(unchecked, kChecking, std::memory_order_acq_rel);
}

void MountTree::NoteCheck(NodeId node, std::optional<bool> intact) const
{
    m_checks[node].store(!intact ? kUnchecked : *intact ? kIntact : kDamaged, std::memory_order_release);
}

CatalogueRow MountTree::Row(NodeId node) const
{
    const std::int64_t row = m_nodes[node].row;
    return row < 0 ? CatalogueRow{} : m_store.Row(static_cast<std::size_t>(row));
}
