// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The room engine/scan/: walking a backup for its blocks and sets. The scan
// (catalogue_scan, with scan_window_reader, folder_ids, deep_block_search,
// deep_scan_hint, lost_folder_hold and the set catalogue's witness), its
// worker thread (bkf_scanner, scanner_ui, guarded_catalogue), the choice
// between the cache and a scan (catalogue_cache_scan), and the telling of an
// unreadable backup from an empty one (unreadable_backup).
//
// The recovery engine object: runs the catalogue scan on a worker thread and
// holds the running flag that stops it.

#include "bkf_file_handle.h"
#include "catalogue_cache_scan.h"
#include "scan_options.h"

#include <atomic>
#include <string>
#include <thread>

class CatalogueSink;
class ScannerUi;
struct ScanEnd;

class BkfScanner {
public:
    BkfScanner();
    // Requests a stop and waits for the worker. The ScannerUi must no longer
    // block on its window thread by then (see ScanUiBridge::Detach).
    virtual ~BkfScanner();
    BkfScanner(const BkfScanner&) = delete;
    BkfScanner& operator=(const BkfScanner&) = delete;

    enum class StartResult { Started, OpenFailed, Failed, Busy };

    // Opens `backupPath` read-only and scans it on a worker thread that
    // reports to `ui` (which must outlive the worker). When the backup cannot
    // be opened, `ui` hears ScanEnded(OpenFailed) before this returns and no
    // thread starts; when the thread cannot be started, ScanEnded(Failed). Refuses (Busy, and `ui` hears nothing) while a previous
    // worker is still alive, even if it was told to stop.
    // `options` choose the deep scan; `cache` whether a matching catalogue
    // cache serves instead of the scan, and whether a completed scan is kept
    // there (see ScanOrLoadCache).
    StartResult StartScan(const std::string& backupPath, ScannerUi& ui, const ScanOptions& options = {},
                          const CatalogueCacheUse& cache = CatalogueCacheUse{false, false});
    // Clears the running flag; the scan ends at its next slot. Never waits.
    void StopScan() { m_bRunning = false; }

    bool IsRunning() const { return m_bRunning.load(); }
    bool IsWorkerAlive() const { return m_bWorkerAlive.load(); }

    // The backup the last scan opened, as it was then: a save checks that it
    // reads the same file.
    const FileIdentity& ScannedFile() const { return m_scanFile.OpenedAs(); }

private:
    static void ScanThreadProc(BkfScanner* scanner, ScannerUi* ui);
    ScanEnd RunScan(CatalogueSink& rows, ScannerUi& ui);
    void JoinFinishedWorker();

    std::atomic<bool> m_bRunning{false};
    std::atomic<bool> m_bWorkerAlive{false};
    std::thread m_worker;
    BkfFileHandle m_scanFile;
    ScanOptions m_options; // of the scan the worker runs
    CatalogueCacheUse m_cache;
};
