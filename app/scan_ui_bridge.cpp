// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_ui_bridge.h"

#include "catalogue_list_model.h"
#include "catalogue_scan.h"
#include "catalogue_store.h"
#include "folder_tree_model.h"
#include "scan_progress_text.h"
#include "scan_window.h"

#include <memory>

ScanUiBridge::ScanUiBridge(ScanWindow& window, CatalogueStore& store, FolderTreeModel& tree, CatalogueListModel& list)
    : m_window(window), m_store(store), m_tree(tree), m_list(list)
{
}

ScanUiBridge::TextSpan ScanUiBridge::KeepText(std::string_view text)
{
    const TextSpan span{m_batch.pathBytes.size(), text.size()};
    m_batch.pathBytes.append(text);
    return span;
}

void ScanUiBridge::AddRow(const CatalogueRow& row)
{
    PendingRow pending{KeepText(row.path), row};
    pending.row.path = {}; // the worker's path buffer is reused; the batch keeps a copy
    m_batch.rows.push_back(pending);
}

void ScanUiBridge::AddPath(std::string_view path)
{
    m_batch.paths.push_back(KeepText(path));
}

// A folder is dated right after its path was added: the text is kept once.
void ScanUiBridge::FolderDated(std::string_view folderPath, std::uint64_t modified)
{
    const std::string_view kept(m_batch.pathBytes);
    const bool justAdded = !m_batch.paths.empty()
        && kept.substr(m_batch.paths.back().start, m_batch.paths.back().length) == folderPath;
    m_batch.folderDates.push_back(
        PendingFolderDate{justAdded ? m_batch.paths.back() : KeepText(folderPath), modified});
}

void ScanUiBridge::FileCountChanged(std::uint64_t filesFound)
{
    m_batch.filesFound = filesFound;
    m_batch.countChanged = true;
}

void ScanUiBridge::WindowScanned(std::uint64_t position, std::uint64_t fileSize)
{
    m_batch.windowScanned = true;
    m_batch.position = position;
    m_batch.fileSize = fileSize;
    // One round trip per window would cost more than the scan itself on a
    // backup of many small files; the window cannot show more than a few
    // dozen refreshes a second anyway.
    // Held, the window shows all that was found before the worker waits.
    const bool held = m_held.load();
    if (held || std::chrono::steady_clock::now() - m_lastFlush >= kFlushInterval)
        SubmitBatch();
    if (!held)
        return;
    std::unique_lock<std::mutex> lock(m_holdLock);
    m_letGo.wait(lock, [this] { return !m_held.load(); });
}

void ScanUiBridge::HoldScan(bool held)
{
    {
        const std::lock_guard<std::mutex> lock(m_holdLock);
        m_held = held;
    }
    m_letGo.notify_all();
}

void ScanUiBridge::Detach()
{
    m_dispatcher.Detach();
    HoldScan(false);
}

void ScanUiBridge::SubmitBatch()
{
    // One batch in flight at a time: the window applies it while the worker
    // scans on, and the next batch waits until it has been applied.
    m_dispatcher.WaitForPosted();
    m_lastFlush = std::chrono::steady_clock::now();
    if (m_batch.Empty())
        return;
    auto batch = std::make_shared<Batch>();
    std::swap(*batch, m_batch);
    m_dispatcher.Post([this, batch] { ApplyBatch(*batch); });
}

void ScanUiBridge::ApplyBatch(const Batch& batch)
{
    const std::string_view texts(batch.pathBytes);
    const auto text = [texts](TextSpan span) { return texts.substr(span.start, span.length); };
    if (!batch.rows.empty()) {
        m_list.AppendRows([&batch, &text](CatalogueStore& store) {
            for (const PendingRow& pending : batch.rows) {
                CatalogueRow row = pending.row;
                row.path = text(pending.path);
                store.Append(row);
            }
        });
    }
    for (const PendingFolderDate& folder : batch.folderDates)
        m_store.AddFolderDate(text(folder.path), folder.modified);
    if (!batch.paths.empty()) {
        std::vector<std::string_view> paths;
        paths.reserve(batch.paths.size());
        for (const TextSpan span : batch.paths)
            paths.push_back(text(span));
        m_tree.ApplyPaths(paths);
    }
    if (batch.countChanged)
        m_window.SetFileCountText(FileCountText(batch.filesFound));
    if (batch.windowScanned) {
        m_window.SetProgressPosition(ProgressPercent(batch.position, batch.fileSize));
        m_window.SetScanPositionText(ScanPositionText(batch.position, batch.fileSize));
    }
}

void ScanUiBridge::ScanEnded(const ScanEnd& end)
{
    if (end.kind == ScanEnd::Kind::OpenFailed) {
        m_window.ScanFinished(end); // on the window thread, inside StartScan
        return;
    }
    SubmitBatch();
    m_dispatcher.Post([this, end] { ApplyScanEnd(end); });
}

// The end of a scan, completed or stopped alike: the catalogue is made ready
// for review.
void ScanUiBridge::ApplyScanEnd(const ScanEnd& end)
{
    m_window.SetScanPositionText(QString());
    m_window.SetFileCountText(QString());
    m_tree.CheckAllCollapsed();
    m_list.SetAllTicked(true);
    m_window.ScanFinished(end);
}
