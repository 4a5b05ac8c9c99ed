// A real scan applied to the tree and the list the way the window applies it:
// whatever the scan reported during one 64 KiB window, in one batch.

#include "bkf_writer.h"
#include "catalogue_list_model.h"
#include "catalogue_store.h"
#include "folder_tree_model.h"
#include "scan_recorder.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Applies the events of a scan record from where the last call stopped.
class WindowApplier {
public:
    WindowApplier(CatalogueStore& store, FolderTreeModel& tree, CatalogueListModel& list)
        : m_store(store), m_tree(tree), m_list(list) {}

    void Apply(const ScanRecord& record)
    {
        m_tree.BeginBatch();
        for (; m_events < record.events.size(); ++m_events) {
            const ScanEvent& event = record.events[m_events];
            if (event.kind == ScanEvent::Path) {
                m_tree.AddPath(event.path);
            } else {
                const RecordedRow& row = record.rows[m_rows++];
                m_store.Append(CatalogueRow{row.path, row.located, row.size, row.offset});
            }
        }
        m_list.AppendRows();
        m_tree.EndBatch();
    }

private:
    CatalogueStore& m_store;
    FolderTreeModel& m_tree;
    CatalogueListModel& m_list;
    std::size_t m_events = 0;
    std::size_t m_rows = 0;
};

BkfWriter SeveralWindowsOfFiles()
{
    BkfWriter writer;
    const std::string data(700, 'x'); // two slots a file: many files per window, many windows
    writer.Sset("Daily");
    for (int dir = 0; dir < 12; ++dir) {
        writer.Dirb({"Users", "u" + std::to_string(dir % 3), "d" + std::to_string(dir)});
        for (int file = 0; file < 30; ++file)
            writer.File("f" + std::to_string(file) + (file % 2 != 0 ? ".txt" : ".dat"), data);
    }
    writer.Sset("Weekly", 2).Dirb({}).File("root.ini", "a");
    return writer;
}

std::vector<std::string> Shape(const FolderTreeModel& tree)
{
    std::vector<std::string> keys;
    std::vector<const FolderNode*> pending;
    for (std::size_t row = tree.TopLevelCount(); row-- > 0;)
        pending.push_back(tree.TopLevelNode(row));
    while (!pending.empty()) {
        const FolderNode* node = pending.back();
        pending.pop_back();
        keys.push_back(node->Text() + "@" + tree.GetItemPath(node));
        for (std::size_t row = node->ChildCount(); row-- > 0;)
            pending.push_back(node->Child(row));
    }
    return keys;
}

TEST(FolderTreeScanTest, WindowBatchesGiveTheSameCatalogueAsSingleCalls)
{
    CatalogueStore store;
    FolderTreeModel tree(store);
    CatalogueListModel list(store);
    QAbstractItemModelTester treeTester(&tree, QAbstractItemModelTester::FailureReportingMode::Warning);
    QAbstractItemModelTester listTester(&list, QAbstractItemModelTester::FailureReportingMode::Warning);
    QSignalSpy listInserts(&list, &QAbstractItemModel::rowsInserted);
    WindowApplier applier(store, tree, list);

    const ScanResult result = ScanBytes(SeveralWindowsOfFiles().Bytes(), [&](RecordingSinks& sinks, std::atomic<bool>&) {
        sinks.onWindow = [&](const WindowReport&) { applier.Apply(sinks.record); };
    });
    applier.Apply(result);

    ASSERT_TRUE(result.completed);
    ASSERT_EQ(result.rows.size(), 12u * 30u + 1u);
    EXPECT_GE(result.windows.size(), 4u);
    EXPECT_LE(listInserts.count(), static_cast<int>(result.windows.size()) + 1);
    EXPECT_EQ(list.rowCount(), static_cast<int>(result.rows.size()));

    CatalogueStore referenceStore;
    FolderTreeModel reference(referenceStore);
    for (const std::string& path : result.paths)
        reference.AddPath(path);
    EXPECT_EQ(Shape(tree), Shape(reference));

    // The end of the scan: everything ticked and checked; then untick one folder.
    tree.CheckAllCollapsed();
    list.SetAllTicked(true);
    QObject::connect(&tree, &FolderTreeModel::ticksChanged, &list, &CatalogueListModel::RefreshTicks);
    QSignalSpy listChanges(&list, &QAbstractItemModel::dataChanged);
    FolderNode* set = tree.FindChild(tree.TopLevelNode(0), "BACKUP SET 1(_Daily)");
    FolderNode* d4 = tree.FindChild(tree.FindChild(tree.FindChild(set, "Users"), "u1"), "d4");
    ASSERT_NE(d4, nullptr);

    ASSERT_TRUE(tree.setData(tree.IndexOf(d4), Qt::Unchecked, Qt::CheckStateRole));

    EXPECT_EQ(store.TickedCount(), result.rows.size() - 30);
    EXPECT_EQ(listChanges.count(), 1);
    EXPECT_EQ(tree.GetCheckState(d4->Parent()), CheckState::Partial);
    EXPECT_EQ(tree.GetCheckState(tree.TopLevelNode(0)), CheckState::Partial);
    EXPECT_EQ(tree.GetCheckState(tree.FindChild(tree.TopLevelNode(0), "BACKUP SET 2(_Weekly)")),
              CheckState::Checked);
}

} // namespace
