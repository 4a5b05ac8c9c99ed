// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A ScannerUi for the tests of the scan worker. It records every call that
// BkfScanner and its worker make, in order, as one readable string each:
//
//     "ended:completed|stopped|open-failed"   ScanEnded (kept whole, LastEnd)
//     "row:<path>"                   AddRow (the row goes into Rows())
//     "path:<path>"                  AddPath
//     "files:<n>"                    FileCountChanged
//     "window:<position>/<size>"     WindowScanned
//     "trace:<text>"                 Trace
//
// Every call takes one mutex, so the worker and the test thread may call in
// at the same time. A test can hold the calling thread inside a chosen call
// (BlockAt) and let it go again (Release); a held thread gives up by itself
// after kHoldLimit so that a forgotten Release never hangs the suite.

#include "bkf_scanner.h"
#include "catalogue_store.h"
#include "scan_recorder.h"
#include "scanner_ui.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class RecordingScannerUi : public ScannerUi {
public:
    static constexpr std::chrono::seconds kHoldLimit{60};

    explicit RecordingScannerUi(std::string backupPath);
    const std::string& BackupPath() const { return m_backupPath; }

    // --- ScannerUi
    void ScanEnded(const ScanEnd& end) override;
    void AddRow(const CatalogueRow& row) override;
    void AddPath(std::string_view path) override;
    void FileCountChanged(std::uint64_t filesFound) override;
    void WindowScanned(std::uint64_t position, std::uint64_t fileSize) override;
    void Trace(std::string_view text) override;

    // --- Holding the caller.

    // Holds the thread that makes the `occurrence`-th call whose event starts
    // with `prefix` (after recording it) until Release(), or until
    // `releaseWhen` (polled while held) returns true. One hold at a time.
    void BlockAt(std::string prefix, std::size_t occurrence = 1, std::function<bool()> releaseWhen = {});
    // Waits until a thread has been held (it may have been let go since);
    // false when none arrived within `limit`.
    bool WaitUntilBlocked(std::chrono::milliseconds limit);
    void Release();
    // True when a held thread gave up waiting (kHoldLimit passed).
    bool HoldTimedOut() const;
    // Runs after every call has been recorded, on the calling thread, outside
    // the mutex (before any hold).
    void SetObserver(std::function<void(const std::string& event)> observer);

    // --- What was recorded (copies, safe while the worker runs).

    std::vector<std::string> Events() const;
    // Only the ScanEnded calls.
    std::vector<std::string> Endings() const;
    // The last ScanEnded call's report (a default one before any).
    ScanEnd LastEnd() const;
    // Only what the scan reported: row, path, files, window.
    std::vector<std::string> ScanReports() const;
    std::vector<RecordedRow> Rows() const;
    std::size_t RowsNow() const;

private:
    // Records `event`, running `underLock` with the mutex held, then holds
    // the caller if a hold is armed for this call.
    void Record(std::string event, const std::function<void()>& underLock = {});

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::string m_backupPath;
    std::vector<std::string> m_events;
    CatalogueStore m_store;
    ScanEnd m_lastEnd;
    std::function<void(const std::string&)> m_observer;

    std::string m_holdPrefix;
    std::size_t m_holdOccurrence = 0; // 0: no hold armed
    std::size_t m_holdSeen = 0;
    std::function<bool()> m_releaseWhen;
    bool m_reached = false;
    bool m_released = false;
    bool m_holdTimedOut = false;
};

// Waits for the worker of `scanner` to end: polls IsWorkerAlive up to
// `limit`, then joins it with WaitForWorker. False (and nothing joined) when
// the worker is still alive after `limit`.
bool WaitForWorkerEnd(BkfScanner& scanner, std::chrono::milliseconds limit);
