// SPDX-License-Identifier: GPL-3.0-or-later
#include "folder_row_links.h"

#include "catalogue_store.h"

#include <algorithm>
#include <unordered_set>

namespace {

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

FolderRowLinks::FolderRowLinks(const CatalogueStore& store, FolderNode& root)
    : m_store(store), m_root(root)
{
}

bool FolderRowLinks::HasNewRows() const
{
    return m_store.RowCount() != m_linkedRows;
}

void FolderRowLinks::LinkNewRows(const FindOrAddChild& findOrAdd)
{
    const std::size_t count = m_store.RowCount();
    if (count < m_linkedRows)
        Forget();
    for (std::size_t row = m_linkedRows; row < count; ++row)
        LinkRow(row, findOrAdd);
    m_linkedRows = count;
}

void FolderRowLinks::Forget()
{
    ForEachInSubtree(&m_root, [](FolderNode* node) {
        node->ForgetRows();
        return Walk::Continue;
    });
    m_linkedRows = 0;
    m_lastDirectory.clear();
    m_lastDirectoryNode = nullptr;
}

std::string_view FolderRowLinks::DirectoryPart(std::size_t row) const
{
    const std::string_view path = m_store.Path(row);
    if (!StartsWith(path, kKeyStart))
        return {}; // no folder key is a prefix of it
    return path.substr(0, path.rfind(kSeparator) + 1);
}

void FolderRowLinks::LinkRow(std::size_t row, const FindOrAddChild& findOrAdd)
{
    const std::string_view directory = DirectoryPart(row);
    if (directory.empty())
        return;
    if (m_lastDirectoryNode == nullptr || directory != m_lastDirectory) {
        m_lastDirectoryNode = DirectoryNode(directory, &findOrAdd);
        m_lastDirectory.assign(directory);
    }
    m_lastDirectoryNode->AddRow(row);
}

FolderNode* FolderRowLinks::DirectoryNode(std::string_view directory, const FindOrAddChild* findOrAdd) const
{
    auto step = [findOrAdd](FolderNode* parent, std::string_view text) {
        return findOrAdd != nullptr ? (*findOrAdd)(parent, text) : parent->FindChild(text);
    };
    FolderNode* node = step(&m_root, kRootText);
    std::size_t start = kKeyStart.size();
    while (node != nullptr && start < directory.size()) {
        const std::size_t sep = directory.find(kSeparator, start);
        node = step(node, directory.substr(start, sep - start));
        start = sep + 1;
    }
    return node;
}

// The folder key starts with "BKF\" whatever the top-level text, so the rows
// under a node are those linked below the node of the same item path under "BKF".
FolderNode* FolderRowLinks::KeyNode(const FolderNode* node) const
{
    FolderNode* bkf = Bkf();
    if (node == nullptr || node->IsInvisibleRoot() || bkf == nullptr)
        return nullptr;
    std::vector<const FolderNode*> chain; // below the top level, bottom up
    const FolderNode* top = node;
    for (; !top->IsTopLevel(); top = top->Parent())
        chain.push_back(top);
    if (top == bkf)
        return const_cast<FolderNode*>(node);
    FolderNode* found = bkf;
    for (auto each = chain.rbegin(); found != nullptr && each != chain.rend(); ++each)
        found = found->FindChild((*each)->Text());
    return found;
}

std::vector<std::size_t> FolderRowLinks::RowsUnder(const FolderNode* node) const
{
    std::vector<std::size_t> rows;
    ForEachInSubtree(KeyNode(node), [&rows](const FolderNode* each) {
        rows.insert(rows.end(), each->Rows().begin(), each->Rows().end());
        return Walk::Continue;
    });
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<std::size_t> FolderRowLinks::RowsIn(const FolderNode* node) const
{
    const FolderNode* keyNode = KeyNode(node);
    return keyNode != nullptr ? keyNode->Rows() : std::vector<std::size_t>{};
}

std::vector<FolderNode*> FolderRowLinks::FoldersOf(const std::vector<std::size_t>& rows) const
{
    std::vector<FolderNode*> folders;
    std::unordered_set<const FolderNode*> seen;
    std::string_view lastDirectory; // rows of one folder come together: one lookup per run
    FolderNode* last = nullptr;
    for (std::size_t row : rows) {
        const std::string_view directory = row < m_linkedRows ? DirectoryPart(row) : std::string_view();
        if (directory.empty())
            continue;
        if (last == nullptr || directory != lastDirectory) {
            last = DirectoryNode(directory, nullptr);
            lastDirectory = directory;
        }
        if (last != nullptr && seen.insert(last).second)
            folders.push_back(last);
    }
    return folders;
}
