// SPDX-License-Identifier: GPL-3.0-or-later
// The scan worker driving real models through the window-thread bridge: the
// result must equal a headless scan, stops must be prompt, and closing the
// window while a scan runs must neither hang nor crash.

#include "bkf_file_handle.h"
#include "bkf_scanner.h"
#include "bkf_writer.h"
#include "byte_file.h"
#include "catalogue_collector.h"
#include "catalogue_list_model.h"
#include "catalogue_scan.h"
#include "catalogue_store.h"
#include "folder_tree.h"
#include "folder_tree_model.h"
#include "open_files.h"
#include "scan_end_message.h"
#include "scan_progress_text.h"
#include "scan_recorder.h"
#include "scan_ui_bridge.h"
#include "scan_window.h"
#include "temp_path.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>
#include <tuple>

namespace {

class RecordingWindow : public ScanWindow {
public:
    QString backupPath;
    int progress = -1;
    std::function<void()> onProgress; // runs on the window thread, as a click would
    std::vector<ScanEnd> ends;
    QString position;
    QString count;

    void SetScanPositionText(const QString& text) override { position = text; }
    void SetFileCountText(const QString& text) override { count = text; }
    void SetProgressPosition(int percent) override
    {
        progress = percent;
        if (onProgress)
            onProgress();
    }
    void ScanFinished(const ScanEnd& end) override { ends.push_back(end); }
};

// A backup of `sets` sets with `dirs` folders of `files` files each.
std::vector<std::uint8_t> SampleBackup(int sets, int dirs, int files)
{
    BkfWriter writer;
    for (int set = 0; set < sets; ++set) {
        writer.Sset("Set " + std::to_string(set));
        for (int dir = 0; dir < dirs; ++dir) {
            writer.Dirb({"Data", "Folder " + std::to_string(dir)}).Dated(BkfWriter::Date(2000 + set, 1 + dir % 12, 1));
            for (int file = 0; file < files; ++file)
                writer.File("file" + std::to_string(file) + ".txt", std::string(100 + file, 'x'));
        }
    }
    return writer.Bytes();
}

bool WaitForWorker(BkfScanner& scanner)
{
    QDeadlineTimer deadline(60000);
    while (scanner.IsWorkerAlive() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
    return !deadline.hasExpired();
}

// Starts a scan of the window's backup and serves it until its worker has
// ended and the end steps have run.
bool ScanToEnd(BkfScanner& scanner, ScanUiBridge& bridge, const RecordingWindow& window)
{
    return scanner.StartScan(window.backupPath.toStdString(), bridge) == BkfScanner::StartResult::Started
        && WaitForWorker(scanner);
}

// The window side of one scan: the models, the window recorder and the bridge.
struct ScanFixture {
    CatalogueStore store;
    FolderTreeModel tree{store};
    CatalogueListModel list{store};
    QAbstractItemModelTester treeTester{&tree, QAbstractItemModelTester::FailureReportingMode::Warning};
    QAbstractItemModelTester listTester{&list, QAbstractItemModelTester::FailureReportingMode::Warning};
    RecordingWindow window;
    ScanUiBridge bridge{window, store, tree, list};
    TempDir dir;

    // Writes the backup and makes it the one the window names.
    std::string UseBackup(const std::vector<std::uint8_t>& bytes)
    {
        const std::string path = dir.Child("backup.bkf");
        WriteBytes(path, bytes);
        window.backupPath = QString::fromStdString(path);
        return path;
    }

    std::vector<RecordedRow> Rows() const
    {
        std::vector<RecordedRow> rows;
        for (std::size_t i = 0; i < store.RowCount(); ++i) {
            const CatalogueRow row = store.Row(i);
            rows.push_back(RecordedRow{std::string(row.path), row.located, row.size, row.offset, row.verified,
                                       row.status, row.dataLimit});
        }
        return rows;
    }
};

bool SameRows(const std::vector<RecordedRow>& a, const std::vector<RecordedRow>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].path != b[i].path || a[i].located != b[i].located || a[i].size != b[i].size
            || a[i].offset != b[i].offset || a[i].verified != b[i].verified || a[i].status != b[i].status
            || a[i].dataLimit != b[i].dataLimit)
            return false;
    }
    return true;
}

// Every folder of the tree as its folder key, depth first.
void CollectKeys(const FolderTreeModel& tree, const FolderNode* node, QStringList& keys)
{
    keys << QString::fromStdString(tree.GetFolderKey(node));
    for (std::size_t i = 0; i < node->ChildCount(); ++i)
        CollectKeys(tree, node->Child(i), keys);
}

QStringList TreeKeys(const FolderTreeModel& tree)
{
    QStringList keys;
    for (std::size_t i = 0; i < tree.TopLevelCount(); ++i)
        CollectKeys(tree, tree.TopLevelNode(i), keys);
    return keys;
}

// A completed or stopped scan ends once, everything ticked for review.
void ExpectLeftForReview(const ScanFixture& f)
{
    EXPECT_EQ(f.store.TickedCount(), f.store.RowCount());
    ASSERT_EQ(f.window.ends.size(), 1u);
    EXPECT_NE(f.window.ends[0].kind, ScanEnd::Kind::OpenFailed);
}

} // namespace

TEST(ScanBridge, ProgressTexts)
{
    EXPECT_EQ(FileCountText(0), "Total File Found :0");
    EXPECT_EQ(FileCountText(1234567), "Total File Found :1234567");
    EXPECT_EQ(ScanPositionText(65536, 200000), "65536 \\ 200000");
    EXPECT_EQ(ScanPositionText(5'000'000'000ull, 10'000'000'000ull), "5000000000 \\ 10000000000");
}

TEST(ScanBridge, WorkerScanFillsModelsLikeAHeadlessScan)
{
    ScanFixture f;
    auto bytes = SampleBackup(2, 12, 40); // a few hundred KiB: many windows
    // Cut inside the last file's data. The bridge once dropped a row's status
    // and data limit: every row showed ok, a cut-short file's save ran on.
    const std::string lastData(139, 'x');
    bytes.resize(static_cast<std::size_t>(
        std::search(bytes.rbegin(), bytes.rend(), lastData.rbegin(), lastData.rend()).base() - bytes.begin() - 70));
    const std::string path = f.UseBackup(bytes);
    FolderTree view(f.tree);
    const ScanResult headless = ScanBytes(bytes);
    ASSERT_TRUE(std::any_of(headless.rows.begin(), headless.rows.end(),
                            [](const RecordedRow& row) { return row.status == RowStatus::CutShort; }));
    BkfScanner scanner;
    ASSERT_TRUE(ScanToEnd(scanner, f.bridge, f.window));

    EXPECT_TRUE(SameRows(f.Rows(), headless.rows));
    EXPECT_EQ(f.list.rowCount(), static_cast<int>(headless.rows.size()));
    // The same folders in the same order as AddPath of the headless scan's paths gives.
    CatalogueStore reference;
    FolderTreeModel referenceTree(reference);
    for (const std::string& p : headless.paths)
        referenceTree.AddPath(p);
    EXPECT_EQ(TreeKeys(f.tree), TreeKeys(referenceTree));
    // Each folder's date arrives with its path.
    CatalogueStore headlessStore;
    {
        CatalogueCollector collector(headlessStore);
        BkfFileHandle file;
        ASSERT_TRUE(file.Open(path));
        ScanCatalogue(file, std::atomic<bool>{true}, collector.Sinks());
    }
    const auto dates = [](const CatalogueStore& store) {
        std::vector<std::pair<std::string, std::uint64_t>> dates;
        for (const FolderDate& date : store.FolderDates())
            dates.emplace_back(date.path, date.modified);
        return dates;
    };
    EXPECT_EQ(dates(f.store).size(), 2u * 12u);
    EXPECT_EQ(dates(f.store), dates(headlessStore));

    // Review state: every row ticked, every node checked, the root expanded.
    EXPECT_EQ(f.store.TickedCount(), f.store.RowCount());
    ASSERT_EQ(f.tree.TopLevelCount(), 1u);
    EXPECT_EQ(f.tree.GetCheckState(f.tree.TopLevelNode(0)), CheckState::Checked);
    EXPECT_TRUE(view.isExpanded(f.tree.IndexOf(f.tree.TopLevelNode(0))));
    EXPECT_FALSE(view.isExpanded(f.tree.IndexOf(f.tree.TopLevelNode(0)->Child(0))));
    // One end, with the scan's labels emptied.
    ASSERT_EQ(f.window.ends.size(), 1u);
    EXPECT_EQ(f.window.ends[0].kind, ScanEnd::Kind::Completed);
    EXPECT_TRUE(f.window.position.isEmpty());
    EXPECT_TRUE(f.window.count.isEmpty());
    EXPECT_TRUE(FdsOn(path).empty()) << "the backup must be closed after the scan";
}

// Stops the scan from inside the slot that reports the chosen row, so the
// test knows exactly which slot the stop came in.
class StoppingBridge : public ScanUiBridge {
public:
    using ScanUiBridge::ScanUiBridge;
    BkfScanner* scanner = nullptr;
    std::size_t stopAfterRows = 0;

    void AddRow(const CatalogueRow& row) override
    {
        ScanUiBridge::AddRow(row);
        if (++m_rows == stopAfterRows)
            scanner->StopScan();
    }

private:
    std::size_t m_rows = 0;
};

TEST(ScanBridge, StopEndsTheScanWithinOneSlotAndKeepsWhatWasFound)
{
    ScanFixture f;
    const auto bytes = SampleBackup(1, 40, 40);
    const std::string path = f.UseBackup(bytes);
    BkfScanner scanner;
    StoppingBridge bridge(f.window, f.store, f.tree, f.list);
    bridge.scanner = &scanner;
    bridge.stopAfterRows = 700; // in the middle of a window
    ASSERT_EQ(scanner.StartScan(path, bridge), BkfScanner::StartResult::Started);
    ASSERT_TRUE(WaitForWorker(scanner));

    // Every row found up to the stop reached the models, and no later slot was scanned.
    EXPECT_EQ(f.store.RowCount(), 700u);
    ExpectLeftForReview(f);
}

TEST(ScanBridge, StopFromTheWindowThreadEndsTheScanAsACompletedOne)
{
    ScanFixture f;
    const auto bytes = SampleBackup(1, 40, 40);
    const std::string path = f.UseBackup(bytes);
    BkfScanner scanner;
    bool stopped = false;
    f.window.onProgress = [&] {
        if (!stopped && f.store.RowCount() > 0) {
            stopped = true;
            scanner.StopScan(); // as the Stop button does, while the worker scans on
        }
    };
    ASSERT_TRUE(ScanToEnd(scanner, f.bridge, f.window));

    ASSERT_TRUE(stopped);
    EXPECT_GT(f.store.RowCount(), 0u);
    ExpectLeftForReview(f);
}

TEST(ScanBridge, SecondScanStartsFromEmpty)
{
    ScanFixture f;
    const auto bytes = SampleBackup(2, 3, 5);
    const std::string path = f.UseBackup(bytes);
    BkfScanner scanner;
    ASSERT_TRUE(ScanToEnd(scanner, f.bridge, f.window));
    const auto first = f.Rows();
    const QStringList firstKeys = TreeKeys(f.tree);

    f.tree.Clear();
    f.list.Reset([](CatalogueStore& store) { store.Clear(); });
    ASSERT_TRUE(ScanToEnd(scanner, f.bridge, f.window));
    EXPECT_TRUE(SameRows(f.Rows(), first));
    EXPECT_EQ(TreeKeys(f.tree), firstKeys);
}

// The message at the end of a scan: a backup that could not be opened, a
// failure outside any block, a backup of which no byte could be read (fault:
// "No data found in backup file"), no data with the deep scan's hint when no
// block lay on the grid (fault: the window never gave it), plain no data, or
// nothing to say.
TEST(ScanBridge, TheEndOfAScanSaysWhy)
{
    const QString noData = "No data found in backup file";
    const auto end = [](ScanEnd::Kind kind, std::string failure, std::string unreadable, bool noBlocks) {
        ScanEnd made;
        made.kind = kind;
        made.failure = std::move(failure);
        made.unreadable = std::move(unreadable);
        made.report.noBlocks = noBlocks;
        return made;
    };
    using Kind = ScanEnd::Kind;
    const std::tuple<ScanEnd, bool, QString> cases[] = {
        {end(Kind::OpenFailed, "", "", false), true,
         "Some Error occoured while opening file. Make sure that file is not shared"},
        {end(Kind::Failed, "Resource temporarily unavailable", "", false), true,
         "The scan failed: Resource temporarily unavailable"},
        {end(Kind::Completed, "", "Input/output error", false), true,
         "The backup could not be read: Input/output error"},
        {end(Kind::Completed, "", "", true), true,
         noData + "\n\nNo block was found on the 512-byte grid. A deep scan (the \"Deep scan\" box) also looks "
                  "for blocks off the grid."},
        {end(Kind::Stopped, "", "", false), true, noData},
        {end(Kind::Completed, "", "", true), false, ""},
    };
    for (const auto& [scanEnd, nothingFound, message] : cases) {
        SCOPED_TRACE(message.toStdString());
        EXPECT_EQ(ScanEndMessage(scanEnd, nothingFound), message);
    }
}

TEST(ScanBridge, OpenFailureStartsNoWorker)
{
    ScanFixture f;
    BkfScanner scanner;
    EXPECT_EQ(scanner.StartScan("/nonexistent/backup.bkf", f.bridge), BkfScanner::StartResult::OpenFailed);
    EXPECT_FALSE(scanner.IsWorkerAlive());
    ASSERT_EQ(f.window.ends.size(), 1u);
    EXPECT_EQ(f.window.ends[0].kind, ScanEnd::Kind::OpenFailed);
}

TEST(ScanBridge, TheScanReportReachesTheWindow)
{
    ScanFixture f;
    BkfWriter writer;
    writer.Dirb({"bad*name"}).File("a.txt", "x");
    f.UseBackup(writer.Bytes());
    BkfScanner scanner;
    ASSERT_TRUE(ScanToEnd(scanner, f.bridge, f.window));
    ASSERT_EQ(f.window.ends.size(), 1u);
    EXPECT_EQ(f.window.ends[0].report.lostDirectories.Total(), 1u);
}

// Closing the window while the worker waits for it to apply a batch: the
// window thread must not wait for the worker, and the worker must not wait
// for a window that is gone.
TEST(ScanBridge, ClosingWhileTheWorkerWaitsNeitherHangsNorCrashes)
{
    auto f = std::make_unique<ScanFixture>();
    const auto bytes = SampleBackup(1, 50, 40);
    const std::string path = f->UseBackup(bytes);
    auto scanner = std::make_unique<BkfScanner>();
    ASSERT_EQ(scanner->StartScan(path, f->bridge), BkfScanner::StartResult::Started);
    // Apply a few batches, then close without serving the worker any more.
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    f->bridge.Detach();
    scanner.reset(); // stops and joins the worker
    f.reset();
    QCoreApplication::processEvents(); // queued work for the gone window must be dropped
    SUCCEED();
}
