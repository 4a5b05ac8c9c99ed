// Times the folder tree at catalogue scale: a million rows in eight folder
// levels, ticking and recomputing from the root and from deep folders, and a
// single folder of 100,000 subfolders. Prints numbers; asserts nothing.

#include "catalogue_store.h"
#include "folder_tree_model.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kSets = 2;
constexpr int kFanOut = 4;          // subfolders per folder below a set
constexpr int kDirectoryLevels = 6; // BKF, set, then six: eight levels
constexpr std::size_t kRows = 1'000'000;
constexpr int kSiblings = 100'000;
// About what one 64 KiB scan window yields in files of a few hundred bytes.
constexpr std::size_t kRowsPerBatch = 100;

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The leaf folder paths of every set: "BKF\BACKUP SET 1(_Bench)\d0\d3\...\".
std::vector<std::string> LeafFolders()
{
    std::vector<std::string> folders;
    for (int set = 1; set <= kSets; ++set)
        folders.push_back("BKF\\BACKUP SET " + std::to_string(set) + "(_Bench)\\");
    for (int level = 0; level < kDirectoryLevels; ++level) {
        std::vector<std::string> deeper;
        for (const std::string& folder : folders) {
            for (int child = 0; child < kFanOut; ++child)
                deeper.push_back(folder + "dir" + std::to_string(level) + "_" + std::to_string(child) + "\\");
        }
        folders.swap(deeper);
    }
    return folders;
}

// Fills store and tree the way a scan does: rows and their paths in batches.
void BuildCatalogue(CatalogueStore& store, FolderTreeModel& tree)
{
    const std::vector<std::string> leaves = LeafFolders();
    const std::size_t perFolder = kRows / leaves.size() + 1;
    std::vector<std::string> batch;
    std::size_t row = 0;
    for (const std::string& folder : leaves) {
        for (std::size_t file = 0; file < perFolder && row < kRows; ++file, ++row) {
            std::string path = folder + "document_" + std::to_string(file) + ".txt";
            store.Append(CatalogueRow{path, true, 4096, row * 4608});
            batch.push_back(std::move(path));
            if (batch.size() == kRowsPerBatch) {
                tree.ApplyPaths(batch);
                batch.clear();
            }
        }
    }
    tree.ApplyPaths(batch);
}

FolderNode* DeepestFirstFolder(FolderTreeModel& tree)
{
    FolderNode* node = tree.TopLevelNode(0);
    while (node->ChildCount() > 0)
        node = node->Child(node->ChildCount() / 2);
    return node;
}

void TimeTickAndRecompute(FolderTreeModel& tree, FolderNode* node, bool ticked, const char* label)
{
    const auto start = Clock::now();
    tree.SetFilesUnder(node, ticked);
    tree.UpdateAncestors(node);
    std::printf("  %-58s %9.2f ms\n", label, MillisecondsSince(start));
}

// The same walk as SetFilesUnder without a row index: a prefix test on every row.
void TimeLinearPass(CatalogueStore& store, const std::string& key)
{
    const auto start = Clock::now();
    std::size_t matched = 0;
    for (std::size_t row = 0; row < store.RowCount(); ++row) {
        if (store.Path(row).compare(0, key.size(), key) == 0) {
            store.SetTicked(row, true);
            ++matched;
        }
    }
    std::printf("  %-58s %9.2f ms (%zu rows)\n", "for comparison: one linear prefix pass over every row",
                MillisecondsSince(start), matched);
}

void BenchCatalogue()
{
    CatalogueStore store;
    FolderTreeModel tree(store);

    auto start = Clock::now();
    BuildCatalogue(store, tree);
    std::printf("catalogue: %zu rows, %zu folders in %d levels\n", store.RowCount(), tree.NodeCount(),
                kDirectoryLevels + 2);
    std::printf("  %-58s %9.2f ms\n", "store.Append + ApplyPaths (batches of 100), rows linked", MillisecondsSince(start));
    std::printf("  %-58s %9.1f bytes\n", "CatalogueStore::MemoryBytes() per row",
                static_cast<double>(store.MemoryBytes()) / static_cast<double>(store.RowCount()));

    FolderNode* root = tree.TopLevelNode(0);
    FolderNode* set = root->Child(0);
    FolderNode* deep = DeepestFirstFolder(tree);
    std::printf("  deep folder: %s (%zu rows)\n", tree.GetFolderKey(deep).c_str(), tree.RowsIn(deep).size());

    TimeTickAndRecompute(tree, root, false, "SetFilesUnder + UpdateAncestors on the root, untick");
    TimeTickAndRecompute(tree, root, true, "SetFilesUnder + UpdateAncestors on the root, tick");
    TimeTickAndRecompute(tree, set, false, "SetFilesUnder + UpdateAncestors on a set, untick");
    TimeTickAndRecompute(tree, set, true, "SetFilesUnder + UpdateAncestors on a set, tick (full pass)");
    TimeTickAndRecompute(tree, deep, false, "SetFilesUnder + UpdateAncestors on the deep folder, untick");
    TimeTickAndRecompute(tree, deep, true, "SetFilesUnder + UpdateAncestors on the deep folder, tick");

    start = Clock::now();
    tree.SetSubtreeState(root, CheckState::Unchecked);
    std::printf("  %-58s %9.2f ms\n", "SetSubtreeState on the root", MillisecondsSince(start));
    start = Clock::now();
    tree.CheckAllCollapsed();
    std::printf("  %-58s %9.2f ms\n", "CheckAllCollapsed", MillisecondsSince(start));

    TimeLinearPass(store, tree.GetFolderKey(deep));
}

void BenchSiblings()
{
    std::vector<std::string> paths;
    paths.reserve(kSiblings);
    for (int i = 0; i < kSiblings; ++i)
        paths.push_back("BKF\\BACKUP SET 1(_Bench)\\Folders\\sibling_" + std::to_string(i) + "\\");

    std::printf("%d sibling folders under one folder:\n", kSiblings);
    {
        CatalogueStore store;
        FolderTreeModel tree(store);
        const auto start = Clock::now();
        for (const std::string& path : paths)
            tree.AddPath(path);
        std::printf("  %-58s %9.2f ms\n", "AddPath one by one", MillisecondsSince(start));
    }
    {
        CatalogueStore store;
        FolderTreeModel tree(store);
        const auto start = Clock::now();
        tree.ApplyPaths(paths);
        std::printf("  %-58s %9.2f ms\n", "ApplyPaths, one batch", MillisecondsSince(start));
        const auto again = Clock::now();
        for (const std::string& path : paths)
            tree.AddPath(path);
        std::printf("  %-58s %9.2f ms\n", "AddPath of the same paths again (all found)", MillisecondsSince(again));
    }
}

} // namespace

int main()
{
    BenchSiblings();
    BenchCatalogue();
    return 0;
}
