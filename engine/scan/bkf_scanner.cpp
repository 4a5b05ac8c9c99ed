// SPDX-License-Identifier: GPL-3.0-or-later
#include "bkf_scanner.h"

#include "catalogue_scan.h"
#include "guarded_catalogue.h"
#include "scanner_ui.h"
#include "unreadable_backup.h"

namespace {

ScanEnd FailedEnd(const std::exception& failure)
{
    ScanEnd end;
    end.kind = ScanEnd::Kind::Failed;
    end.failure = failure.what();
    return end;
}

} // namespace

BkfScanner::BkfScanner() = default;

BkfScanner::~BkfScanner()
{
    m_bRunning = false;
    JoinFinishedWorker();
}

void BkfScanner::JoinFinishedWorker()
{
    if (m_worker.joinable())
        m_worker.join();
}

BkfScanner::StartResult BkfScanner::StartScan(const std::string& backupPath, ScannerUi& ui,
                                              const ScanOptions& options, const CatalogueCacheUse& cache)
{
    // The scan's buffers and file handle belong to one worker at a time.
    if (m_bWorkerAlive.load())
        return StartResult::Busy;
    JoinFinishedWorker();

    if (!m_scanFile.Open(backupPath)) {
        ScanEnd end;
        end.kind = ScanEnd::Kind::OpenFailed;
        end.openError = m_scanFile.LastError();
        ui.ScanEnded(end);
        return StartResult::OpenFailed;
    }
    m_options = options;
    m_cache = cache;
    m_bRunning = true;
    m_bWorkerAlive = true;
    try {
        m_worker = std::thread(&BkfScanner::ScanThreadProc, this, &ui);
    } catch (const std::exception& failure) {
        m_scanFile.Close();
        m_bRunning = false;
        m_bWorkerAlive = false;
        ui.ScanEnded(FailedEnd(failure));
        return StartResult::Failed;
    }
    return StartResult::Started;
}

// A failure outside the per-slot guard (a read-ahead thread or buffer that
// cannot be made) ends the scan as a failure, not the process.
ScanEnd BkfScanner::RunScan(CatalogueSink& rows, ScannerUi& ui)
{
    ScanEnd end;
    try {
        const auto scan = [&](CatalogueSink& scanned, FolderDateSink* dates) {
            return ScanCatalogue(m_scanFile, m_bRunning, ScanSinks{scanned, ui, ui, &ui, dates}, end.report, m_options);
        };
        const CachedScanOutcome outcome =
            ScanOrLoadCache(m_scanFile, m_options.deep, m_cache, CachedScanSinks{rows, ui.FolderDates(), &ui},
                            end.report, m_bRunning, scan);
        end.kind = outcome.completed ? ScanEnd::Kind::Completed : ScanEnd::Kind::Stopped;
        if (outcome.fromCache)
            end.cachedScanAt = outcome.scannedAt;
    } catch (const std::exception& failure) {
        const ScanReport report = end.report;
        end = FailedEnd(failure);
        end.report = report;
    }
    end.unreadable =
        UnreadableBackupReason(end.report, m_scanFile.OpenedAs().size, m_scanFile.Size().value_or(0)).value_or("");
    return end;
}

void BkfScanner::ScanThreadProc(BkfScanner* scanner, ScannerUi* ui)
{
    GuardedCatalogue rows(*ui);
    ScanEnd end = scanner->RunScan(rows, *ui);
    // Another program may open the backup while the user reviews the catalogue.
    scanner->m_scanFile.Close();
    scanner->m_bRunning = false;
    end.rowsFound = rows.Added();
    end.report.rowsNotAdded = rows.NotAdded();
    ui->ScanEnded(end);
    scanner->m_bWorkerAlive = false;
}
