// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry for the mount tree: the input is a catalogue, one row a
// line: a flags byte (bit 0 located, bit 1 verified), a size byte, an offset
// byte, then the catalogue path. Every node of the tree is visited and must
// be a name a folder can hold, found again by its path.

#include "catalogue_store.h"
#include "mount_tree.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kMaxInput = 1 << 16;
constexpr std::uint64_t kBackupSize = 100000;

[[noreturn]] void Fail(const char* what, std::string_view name)
{
    std::fprintf(stderr, "%s: %.*s\n", what, static_cast<int>(name.size()), name.data());
    std::abort();
}

void AddRows(std::string_view input, CatalogueStore& store)
{
    for (std::size_t start = 0; start < input.size();) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        const std::string_view line = input.substr(start, end - start);
        start = end + 1;
        if (line.size() < 3)
            continue;
        CatalogueRow row;
        row.located = (line[0] & 1) != 0;
        row.verified = (line[0] & 2) != 0;
        row.size = static_cast<std::uint8_t>(line[1]) * std::uint64_t{1000};
        row.offset = static_cast<std::uint8_t>(line[2]) * std::uint64_t{512};
        row.path = line.substr(3);
        store.Append(row);
    }
    store.SetAllTicked(true);
}

// Walks the tree below `node` (reached by `path`), checking each name and lookup.
void Visit(const MountTree& tree, MountTree::NodeId node, const std::string& path, std::size_t depth)
{
    if (tree.Find(path) != node)
        Fail("node not found by its path", path);
    if (!tree.IsFolder(node)) {
        const ByteRange data = tree.Data(node);
        if (tree.Status(node) == nullptr || (data.length > 0 && data.End() > kBackupSize))
            Fail("file without status or past the backup", path);
        return;
    }
    if (depth > 600)
        Fail("tree deeper than a path of 1,024 characters allows", path);
    for (std::size_t i = 0; i < tree.ChildCount(node); ++i) {
        const MountTree::NodeId child = tree.ChildAt(node, i);
        const std::string_view name = tree.Name(child);
        if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos
            || name.find('\0') != std::string_view::npos || name.size() > 255)
            Fail("name no folder can hold", name);
        if (tree.Child(node, name) != child)
            Fail("child not found by its name", name);
        Visit(tree, child, path + "/" + std::string(name), depth + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > kMaxInput)
        return 0;
    CatalogueStore store;
    AddRows(std::string_view(reinterpret_cast<const char*>(data), size), store);
    const MountTree tree(store, kBackupSize, 0);
    Visit(tree, MountTree::kRoot, "", 0);
    return 0;
}
