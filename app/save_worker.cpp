// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_worker.h"

#include "file_extraction.h"

#include <exception>
#include <new>
#include <utility>

SaveWorker::SaveWorker(ProgressHandler onProgress, EndHandler onEnd)
    : m_onProgress(std::move(onProgress)), m_onEnd(std::move(onEnd))
{
}

SaveWorker::~SaveWorker()
{
    m_dispatcher.Detach();
    Stop();
    if (m_thread.joinable())
        m_thread.join();
}

void SaveWorker::Stop()
{
    m_running = false;
    Hold(false);
}

void SaveWorker::StopAtOnce()
{
    m_stopNow = true;
    Stop();
}

void SaveWorker::Hold(bool held)
{
    {
        const std::lock_guard<std::mutex> lock(m_holdLock);
        m_held = held;
    }
    m_letGo.notify_all();
}

void SaveWorker::WaitWhileHeld()
{
    std::unique_lock<std::mutex> lock(m_holdLock);
    if (!m_held)
        return;
    lock.unlock();
    HandOver(true);
    lock.lock();
    m_letGo.wait(lock, [this] { return !m_held; });
}

bool SaveWorker::OpenBackup(const std::string& path, const FileIdentity& scanned, std::string* why)
{
    if (m_backup.Open(path) && m_backup.OpenedAs() == scanned)
        return true;
    if (why)
        *why = m_backup.IsOpen() ? "not the file that was scanned" : m_backup.LastError();
    m_backup.Close();
    return false;
}

bool SaveWorker::Start(Job job, std::string* failure)
{
    m_running = true;
    m_stopNow = false;
    Hold(false);
    m_snapshot = SaveProgressSnapshot();
    m_lastHandOver = std::chrono::steady_clock::time_point();
    try {
        m_thread = std::thread(&SaveWorker::Run, this, std::move(job));
        return true;
    } catch (const std::exception& error) {
        m_backup.Close();
        m_running = false;
        *failure = error.what();
        return false;
    }
}

void SaveWorker::Run(Job job)
{
    // A failure outside any one file (a read-ahead thread or buffer that
    // cannot be made) ends the save as a failure, not the program.
    ExtractionReport report;
    try {
        report = job.work ? job.work(m_backup, m_running, *this)
                          : ExtractCheckedFiles(m_backup, job.rows, job.destination, job.prefix, m_running, *this,
                                                job.options);
    } catch (const std::bad_alloc&) {
        report.failure = "out of memory";
    } catch (const std::exception& error) {
        report.failure = error.what();
    }
    m_backup.Close();
    HandOver(true);
    m_dispatcher.Post([this, report = std::move(report)] { Finish(report); });
}

// Window thread: the worker posted this as its last step, so the join is
// over as soon as its thread function returns.
void SaveWorker::Finish(const ExtractionReport& report)
{
    m_thread.join();
    m_onEnd(report);
}

void SaveWorker::HandOver(bool force)
{
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - m_lastHandOver < kProgressInterval)
        return;
    m_lastHandOver = now;
    m_dispatcher.Post([this, snapshot = m_snapshot] { m_onProgress(snapshot); });
}

void SaveWorker::Begin(std::size_t rowCount, std::uint64_t bytesChosen)
{
    m_snapshot.rowCount = rowCount;
    m_snapshot.bytesChosen = bytesChosen;
    HandOver(true);
}

void SaveWorker::FileStarted(std::size_t, std::string_view cataloguePath)
{
    m_snapshot.currentPath.assign(cataloguePath);
    HandOver(false);
}

void SaveWorker::BytesCopied(std::uint64_t bytes)
{
    m_snapshot.bytesCopied += bytes;
    HandOver(false);
}

void SaveWorker::RowDone(std::size_t row)
{
    m_snapshot.rowPosition = row;
    HandOver(false);
    WaitWhileHeld();
}

bool SaveWorker::StopNow()
{
    WaitWhileHeld();
    return m_stopNow;
}
