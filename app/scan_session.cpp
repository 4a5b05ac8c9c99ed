// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_session.h"

#include "bkf_file_handle.h"
#include "catalogue_store.h"
#include "message_service.h"
#include "scan_options.h"
#include "system_texts.h"
#include "window_memory.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <chrono>
#include <thread>

namespace {

// A stopped worker notices the stop before its next 512-byte slot and then
// hands over its last batch; this is far more than that takes.
constexpr int kPreviousScanWaitMs = 5000;

} // namespace

ScanSession::ScanSession(CatalogueStore& store, FolderTreeModel& tree, CatalogueListModel& list,
                         const WindowServices& services, QObject* parent)
    : QObject(parent), m_store(store), m_services(services), m_bridge(*this, store, tree, list)
{
}

ScanSession::~ScanSession()
{
    m_bridge.Detach();
    m_scanner.StopScan();
}

bool ScanSession::StartScan(const QString& path, bool deep)
{
    return Begin(path, deep, CatalogueCacheUse{});
}

bool ScanSession::Rescan(bool deep)
{
    if (IsScanRunning() || (IsScanUnfinished() && !WaitForPreviousScan()) || !MayClearReview())
        return true;
    return Begin(m_path, deep, CatalogueCacheUse{false, true});
}

bool ScanSession::Begin(const QString& path, bool deep, const CatalogueCacheUse& cache)
{
    m_path = path;
    m_deep = deep;
    m_stopped = false;
    m_statesChanged = false;
    emit starting();
    SetRunning(true);
    ScanOptions options;
    options.deep = deep;
    // An open failure or a worker that cannot start ends through the bridge as well.
    const BkfScanner::StartResult result = m_scanner.StartScan(path.toStdString(), m_bridge, options, cache);
    if (result == BkfScanner::StartResult::Started) {
        WindowMemory(m_services.settings).NoteBackup(path); // for File's recent list
        emit searching();
    }
    if (result != BkfScanner::StartResult::Busy) {
        m_endPending = true;
        return true;
    }
    // Only if the previous worker outlived WaitForPreviousScan.
    StopScan();
    return false;
}

void ScanSession::SetRunning(bool running)
{
    if (running == m_running)
        return;
    m_running = running;
    emit runningChanged(running);
}

void ScanSession::StopScan()
{
    m_stopped = m_stopped || m_running;
    m_scanner.StopScan();
    m_bridge.HoldScan(false);
    SetRunning(false);
}

void ScanSession::HoldScan(bool held)
{
    m_bridge.HoldScan(held);
}

// The bridge reports the end from inside its own steps (and an open failure
// from inside StartScan): the window hears it once they have returned.
void ScanSession::ScanFinished(const ScanEnd& end)
{
    QMetaObject::invokeMethod(this, [this, end] { Finish(end); }, Qt::QueuedConnection);
}

void ScanSession::Finish(const ScanEnd& end)
{
    m_running = false;
    emit ended(end, m_store.RowCount() == 0);
    m_endPending = false;
}

bool ScanSession::IsScanUnfinished() const
{
    return m_scanner.IsWorkerAlive() || m_endPending;
}

bool ScanSession::MayReadCatalogue()
{
    if (IsScanRunning()) {
        m_services.messages.ShowMessage(Texts::Tr(SystemText::kStopFirst), MessageService::kNotice);
        return false;
    }
    return !IsScanUnfinished() || WaitForPreviousScan();
}

bool ScanSession::WaitForPreviousScan()
{
    const QDeadlineTimer deadline(kPreviousScanWaitMs);
    while (IsScanUnfinished() && !deadline.hasExpired()) {
        // The worker may be waiting for its last batch to be applied here;
        // the user's clicks wait until this Next is done.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return !IsScanUnfinished();
}

bool ScanSession::ReviewIsOf(const QString& path) const
{
    if (path != m_path || m_store.RowCount() == 0 || m_stopped || IsScanUnfinished())
        return false;
    BkfFileHandle backup;
    return backup.Open(path.toStdString()) && backup.OpenedAs() == m_scanner.ScannedFile();
}

bool ScanSession::MayClearReview()
{
    const bool work = m_statesChanged || m_store.TickedCount() != m_store.RowCount();
    return !work
        || m_services.messages.ShowMessage(Texts::Tr(SystemText::kRescanQuestion), MessageService::kConfirm)
        == MessageService::kYes;
}
