// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording_scanner_ui.h"

#include "starts_with.h"

#include <thread>
#include <utility>

namespace {

const char* EndName(ScanEnd::Kind kind)
{
    switch (kind) {
    case ScanEnd::Kind::Completed: return "completed";
    case ScanEnd::Kind::Stopped: return "stopped";
    case ScanEnd::Kind::OpenFailed: return "open-failed";
    case ScanEnd::Kind::Failed: return "failed";
    }
    return "?";
}

bool IsScanReport(const std::string& event)
{
    return StartsWith(event, "row:") || StartsWith(event, "path:") || StartsWith(event, "files:") ||
           StartsWith(event, "window:");
}

} // namespace

RecordingScannerUi::RecordingScannerUi(std::string backupPath) : m_backupPath(std::move(backupPath)) {}

void RecordingScannerUi::Record(std::string event, const std::function<void()>& underLock)
{
    bool hold = false;
    std::function<void(const std::string&)> observer;
    std::function<bool()> releaseWhen;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (underLock)
            underLock();
        m_events.push_back(event);
        observer = m_observer;
        if (m_holdOccurrence != 0 && StartsWith(event, m_holdPrefix) && ++m_holdSeen == m_holdOccurrence) {
            hold = true;
            m_holdOccurrence = 0;
            releaseWhen = std::move(m_releaseWhen);
            m_releaseWhen = nullptr;
        }
    }
    if (observer)
        observer(event);
    if (!hold)
        return;

    std::unique_lock<std::mutex> lock(m_mutex);
    m_reached = true;
    m_changed.notify_all();
    const auto deadline = std::chrono::steady_clock::now() + kHoldLimit;
    while (!m_released) {
        if (std::chrono::steady_clock::now() >= deadline) {
            m_holdTimedOut = true;
            break;
        }
        if (releaseWhen) {
            lock.unlock();
            const bool go = releaseWhen();
            lock.lock();
            if (go)
                break;
            m_changed.wait_for(lock, std::chrono::milliseconds(1));
        } else {
            m_changed.wait_until(lock, deadline);
        }
    }
}

void RecordingScannerUi::BlockAt(std::string prefix, std::size_t occurrence, std::function<bool()> releaseWhen)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_holdPrefix = std::move(prefix);
    m_holdOccurrence = occurrence;
    m_holdSeen = 0;
    m_releaseWhen = std::move(releaseWhen);
    m_reached = false;
    m_released = false;
}

bool RecordingScannerUi::WaitUntilBlocked(std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, limit, [this] { return m_reached; });
}

void RecordingScannerUi::Release()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_released = true;
    m_changed.notify_all();
}

bool RecordingScannerUi::HoldTimedOut() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_holdTimedOut;
}

void RecordingScannerUi::SetObserver(std::function<void(const std::string& event)> observer)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_observer = std::move(observer);
}

void RecordingScannerUi::ScanEnded(const ScanEnd& end)
{
    Record(std::string("ended:") + EndName(end.kind), [this, &end] { m_lastEnd = end; });
}

void RecordingScannerUi::AddRow(const CatalogueRow& row)
{
    Record("row:" + std::string(row.path), [this, &row] { m_store.Append(row); });
}

void RecordingScannerUi::AddPath(std::string_view path) { Record("path:" + std::string(path)); }
void RecordingScannerUi::FileCountChanged(std::uint64_t filesFound) { Record("files:" + std::to_string(filesFound)); }

void RecordingScannerUi::WindowScanned(std::uint64_t position, std::uint64_t fileSize)
{
    Record("window:" + std::to_string(position) + "/" + std::to_string(fileSize));
}

void RecordingScannerUi::Trace(std::string_view text) { Record("trace:" + std::string(text)); }

std::vector<std::string> RecordingScannerUi::Events() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_events;
}

std::vector<std::string> RecordingScannerUi::Endings() const
{
    std::vector<std::string> out;
    for (std::string& event : Events()) {
        if (StartsWith(event, "ended:"))
            out.push_back(std::move(event));
    }
    return out;
}

ScanEnd RecordingScannerUi::LastEnd() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lastEnd;
}

std::vector<std::string> RecordingScannerUi::ScanReports() const
{
    std::vector<std::string> out;
    for (std::string& event : Events()) {
        if (IsScanReport(event))
            out.push_back(std::move(event));
    }
    return out;
}

std::vector<RecordedRow> RecordingScannerUi::Rows() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<RecordedRow> rows;
    rows.reserve(m_store.RowCount());
    for (std::size_t index = 0; index < m_store.RowCount(); ++index) {
        const CatalogueRow row = m_store.Row(index);
        rows.push_back(RecordedRow{std::string(row.path), row.located, row.size, row.offset});
    }
    return rows;
}

std::size_t RecordingScannerUi::RowsNow() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_store.RowCount();
}

bool WaitForWorkerEnd(BkfScanner& scanner, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (scanner.IsWorkerAlive()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
