#pragma once
// Carries a scan worker's reports to the window thread. Rows and folder
// paths are gathered on the worker and applied in batches of whole 64 KiB
// windows, one model signal per batch instead of a repaint per row: the first
// window at once, then whatever windows were scanned in the last 25 ms. The
// window applies a batch while the worker scans on; the worker waits for it
// before it hands over the next one, and FlushScanResults waits until all is
// applied. Every other call is applied at once while the worker waits, so the
// window sees everything in the worker's order.
//
// Teardown: call Detach() on the window thread first (the worker is then
// never blocked on the window again), then stop and destroy the BkfScanner,
// and only then this bridge.

#include "scanner_ui.h"
#include "ui_thread_dispatcher.h"

#include <chrono>
#include <string>
#include <vector>

class CatalogueListModel;
class CatalogueStore;
class FolderTreeModel;
class ScanWindow;

class ScanUiBridge : public ScannerUi {
public:
    ScanUiBridge(ScanWindow& window, CatalogueStore& store, FolderTreeModel& tree, CatalogueListModel& list);

    // The window is closing: release a waiting worker and apply nothing more.
    void Detach() { m_dispatcher.Detach(); }

    // Worker side: gathered into the pending batch.
    void AddRow(const CatalogueRow& row) override;
    void AddPath(std::string_view path) override;
    void FileCountChanged(std::uint64_t filesFound) override;
    void WindowScanned(std::uint64_t position, std::uint64_t fileSize) override;
    void Trace(std::string_view text) override;
    void FlushScanResults() override;

    // Applied on the window thread at once.
    std::string BackupFilePath() override;
    void SetHelpText(const std::string& text) override;
    void SetScanPositionText(const std::string& text) override;
    void SetFileCountText(const std::string& text) override;
    void SetProgressVisible(bool visible) override;
    void SetStopVisible(bool visible) override;
    void ShowMessage(const std::string& text) override;
    void GoBack() override;
    void PrepareReview() override;
    std::uint64_t RowCount() override;

private:
    struct PendingRow {
        std::string path;
        bool located;
        std::uint64_t size;
        std::uint64_t offset;
    };
    struct Batch {
        std::vector<PendingRow> rows;
        std::vector<std::string> paths;
        std::uint64_t filesFound = 0;
        bool countChanged = false;
        bool windowScanned = false;
        std::uint64_t position = 0;
        std::uint64_t fileSize = 0;
        bool Empty() const { return rows.empty() && paths.empty() && !countChanged && !windowScanned; }
    };

    void SubmitBatch();
    void ApplyBatch(const Batch& batch);

    ScanWindow& m_window;
    CatalogueStore& m_store;
    FolderTreeModel& m_tree;
    CatalogueListModel& m_list;
    UiThreadDispatcher m_dispatcher;
    static constexpr std::chrono::milliseconds kFlushInterval{25};

    Batch m_batch; // worker side only
    std::chrono::steady_clock::time_point m_lastFlush; // worker side only; the epoch flushes the first window at once
};
