// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder tree that `extract` would write for a catalogue, built in memory
// without writing anything: the same folder and file names (long names
// shortened, a taken name numbered "NAME (2).EXT", rows with unsafe paths or
// a file where a folder belongs left out), each file's size as the backup
// holds it and its recorded date. Read-only once built, so any number of
// threads may look things up at once; only the outcome of a file's data
// check changes, through atomics.

#include "byte_range.h"
#include "catalogue_store.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class MountTree {
public:
    using NodeId = std::uint32_t;
    static constexpr NodeId kRoot = 0;

    // `store` must outlive the tree; it is only read. `backupSize` cuts files
    // whose data run past the end; `fallbackSeconds` dates what records none.
    MountTree(const CatalogueStore& store, std::uint64_t backupSize, std::int64_t fallbackSeconds);

    // The node of a "/"-separated path below the root ("/" or "" is the root).
    std::optional<NodeId> Find(std::string_view path) const;

    bool IsFolder(NodeId node) const { return m_nodes[node].row < 0; }
    std::string_view Name(NodeId node) const { return m_nodes[node].name; }
    std::int64_t ModifiedSeconds(NodeId node) const { return m_nodes[node].modified; }
    // Where a file's data lie in the backup: as many bytes as the backup
    // holds (a folder's range is empty).
    ByteRange Data(NodeId node) const;
    std::uint64_t Size(NodeId node) const { return Data(node).length; }
    // A file's state ("not checked", "cut short", ...); null for a folder.
    const char* Status(NodeId node) const;
    // True once for a file whose data can be compared with a recorded
    // checksum and were not yet: the caller then checks and tells NoteCheck.
    bool ClaimCheck(NodeId node) const;
    // What the check found; nothing (it could not check) lets it be claimed again.
    void NoteCheck(NodeId node, std::optional<bool> intact) const;
    // The catalogue row of a file (its path valid as long as the store).
    CatalogueRow Row(NodeId node) const;
    // The child of `folder` named `name`, or nothing.
    std::optional<NodeId> Child(NodeId folder, std::string_view name) const;
    // The children of a folder, sorted by name: ChildAt(folder, 0 ... ChildCount(folder) - 1).
    std::size_t ChildCount(NodeId folder) const { return m_nodes[folder].childCount; }
    NodeId ChildAt(NodeId folder, std::size_t index) const { return m_children[m_nodes[folder].firstChild + index]; }
    std::size_t NodeCount() const { return m_nodes.size(); }
    // The link count a folder reports: itself, its "." and each subfolder's "..".
    std::uint32_t FolderLinks(NodeId folder) const { return 2 + m_nodes[folder].folderCount; }

private:
    struct Node {
        std::string_view name;
        NodeId parent = 0;
        NodeId firstChild = 0; // index into m_children
        std::uint32_t childCount = 0;
        std::uint32_t folderCount = 0; // children that are folders
        std::int64_t row = -1; // the catalogue row of a file; -1 for a folder
        std::int64_t modified = 0;
    };
    class Builder;

    void SortChildren();

    const CatalogueStore& m_store;
    const std::uint64_t m_backupSize;
    std::vector<Node> m_nodes;
    std::vector<NodeId> m_children;    // every folder's children, by folder and then name
    std::deque<std::string> m_ownNames; // names that differ from the catalogue's
    // Per node: 0 not checked, 1 being checked, 2 intact, 3 damaged.
    std::unique_ptr<std::atomic<std::uint8_t>[]> m_checks;
};
