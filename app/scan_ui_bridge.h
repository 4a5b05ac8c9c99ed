// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Carries a scan worker's reports to the window thread. Rows and folder
// paths are gathered on the worker and applied in batches of whole 64 KiB
// windows, one model signal per batch instead of a repaint per row: the first
// window at once, then whatever windows were scanned in the last 25 ms. The
// window applies a batch while the worker scans on; the worker waits for it
// before it hands over the next one. At the end of the scan the last batch
// and the end-of-scan steps are queued behind each other, so the window sees
// everything in the worker's order and the worker never waits for the end
// steps. While held (the question whether to stop is open) the worker waits
// at its next 64 KiB window.
//
// Teardown: call Detach() on the window thread first (the worker is then
// never blocked on the window again), then stop and destroy the BkfScanner,
// and only then this bridge.

#include "catalogue_store.h"
#include "scanner_ui.h"
#include "ui_thread_dispatcher.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class CatalogueListModel;
class CatalogueStore;
class FolderTreeModel;
class ScanWindow;

class ScanUiBridge : public ScannerUi, private FolderDateSink {
public:
    ScanUiBridge(ScanWindow& window, CatalogueStore& store, FolderTreeModel& tree, CatalogueListModel& list);

    // Window thread: holds the worker at its next window, or lets it go on.
    // Detach lets it go as well.
    void HoldScan(bool held);

    // The window is closing: release a waiting worker and apply nothing more.
    void Detach();

    // Worker side: gathered into the pending batch.
    void AddRow(const CatalogueRow& row) override;
    void AddPath(std::string_view path) override;
    void FileCountChanged(std::uint64_t filesFound) override;
    void WindowScanned(std::uint64_t position, std::uint64_t fileSize) override;
    FolderDateSink* FolderDates() override { return this; }

    // The last batch, then the end-of-scan steps on the window thread.
    void ScanEnded(const ScanEnd& end) override;

private:
    // Every text of a batch lies in its pathBytes: one buffer per batch
    // instead of an allocation per row or folder.
    struct TextSpan {
        std::size_t start;
        std::size_t length;
    };
    // A row whose path is `path`; every other field travels in `row` (its
    // own path left empty).
    struct PendingRow {
        TextSpan path;
        CatalogueRow row;
    };
    struct PendingFolderDate {
        TextSpan path;
        std::uint64_t modified;
    };
    struct Batch {
        std::string pathBytes;
        std::vector<PendingRow> rows;
        std::vector<TextSpan> paths;
        std::vector<PendingFolderDate> folderDates;
        std::uint64_t filesFound = 0;
        bool countChanged = false;
        bool windowScanned = false;
        std::uint64_t position = 0;
        std::uint64_t fileSize = 0;
        bool Empty() const
        {
            return rows.empty() && paths.empty() && folderDates.empty() && !countChanged && !windowScanned;
        }
    };

    void FolderDated(std::string_view folderPath, std::uint64_t modified) override;
    TextSpan KeepText(std::string_view text);
    void SubmitBatch();
    void ApplyBatch(const Batch& batch);
    void ApplyScanEnd(const ScanEnd& end);

    ScanWindow& m_window;
    CatalogueStore& m_store;
    FolderTreeModel& m_tree;
    CatalogueListModel& m_list;
    UiThreadDispatcher m_dispatcher;
    std::mutex m_holdLock;
    std::condition_variable m_letGo;
    std::atomic<bool> m_held{false}; // set under m_holdLock
    static constexpr std::chrono::milliseconds kFlushInterval{25};

    Batch m_batch; // worker side only
    std::chrono::steady_clock::time_point m_lastFlush; // worker side only; the epoch flushes the first window at once
};
