// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the extraction of one save on a thread of its own and carries its
// progress and its end to the window thread. Progress goes over in copies at
// most every 50 ms (a file can take minutes, and a thousand small files must
// not cost a thousand repaints); the worker never waits for the window, and
// the window never waits for the worker: the thread is joined on the window
// thread only once it has handed over its end.
//
// Ownership: the backup handle and the stop flags belong to this object; the
// worker closes the backup when the extraction ends. The rows given to Start
// must stay unchanged and alive until the end handler has run.

#include "bkf_file_handle.h"
#include "extraction_options.h"
#include "extraction_progress.h"
#include "extraction_report.h"
#include "save_progress_snapshot.h"
#include "ui_thread_dispatcher.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

class CatalogueStore;

class SaveWorker : private ExtractionProgress {
public:
    // Work over the opened backup in place of the save of the ticked rows
    // (a check of their data), on the worker thread; its report ends the job.
    using Work = std::function<ExtractionReport(const BkfFileHandle& backup, const std::atomic<bool>& running,
                                                ExtractionProgress& progress)>;
    struct Job {
        const CatalogueStore& rows;
        std::string destination; // ends with a separator
        std::string prefix;
        ExtractionOptions options;
        Work work = {}; // when set, done instead of the save
    };
    // Both run on the window thread; `onEnd` after the thread has ended.
    using ProgressHandler = std::function<void(const SaveProgressSnapshot&)>;
    using EndHandler = std::function<void(const ExtractionReport&)>;

    // Created on the window thread.
    SaveWorker(ProgressHandler onProgress, EndHandler onEnd);
    // Nothing more reaches the handlers; stops a thread still running after
    // the file it is writing and waits for it.
    ~SaveWorker() override;
    SaveWorker(const SaveWorker&) = delete;
    SaveWorker& operator=(const SaveWorker&) = delete;

    // Window thread: opens the backup afresh, read-only; false (with the
    // reason) when it cannot be opened, or when the file found at `path` is
    // not `scanned` (another file put in its place, or this one changed).
    bool OpenBackup(const std::string& path, const FileIdentity& scanned, std::string* why);
    // Window thread: sets the running flag and starts the worker. The backup
    // must be open, and no previous job running. False (with the reason in
    // `failure`, the backup closed) when no thread could be started: no end
    // handler will run.
    bool Start(Job job, std::string* failure);
    // Window thread: a job was started and its end handler has not yet run.
    bool IsRunning() const { return m_thread.joinable(); }
    // Any thread: the save ends after the file being written (a hold ends).
    void Stop();
    // Any thread: the save ends at once; the file being written is kept as
    // NAME.partial.
    void StopAtOnce();
    // Any thread: held, the worker waits before its next slice of data and
    // before its next file, until let go or stopped.
    void Hold(bool held);

private:
    static constexpr std::chrono::milliseconds kProgressInterval{50};

    void Run(Job job);
    void HandOver(bool force);
    void Finish(const ExtractionReport& report);
    // Worker thread: waits while held; the window is shown the exact progress first.
    void WaitWhileHeld();

    // ExtractionProgress, on the worker thread.
    void Begin(std::size_t rowCount, std::uint64_t bytesChosen) override;
    void FileStarted(std::size_t row, std::string_view cataloguePath) override;
    void BytesCopied(std::uint64_t bytes) override;
    void RowDone(std::size_t row) override;
    bool StopNow() override;

    ProgressHandler m_onProgress;
    EndHandler m_onEnd;
    BkfFileHandle m_backup;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_stopNow{false};
    std::mutex m_holdLock;
    std::condition_variable m_letGo;
    bool m_held = false; // guarded by m_holdLock
    std::thread m_thread;
    SaveProgressSnapshot m_snapshot; // worker side only
    std::chrono::steady_clock::time_point m_lastHandOver; // worker side only
    // Declared last: detached (destroyed) first, before anything its tasks use.
    UiThreadDispatcher m_dispatcher;
};
