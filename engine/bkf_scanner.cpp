// SPDX-License-Identifier: GPL-3.0-or-later
#include "bkf_scanner.h"

#include "catalogue_scan.h"
#include "scanner_ui.h"

namespace {

// Counts the rows on their way to the listener, for the end-of-scan report.
class CountingCatalogue : public CatalogueSink {
public:
    explicit CountingCatalogue(CatalogueSink& next) : m_next(next) {}
    void AddRow(const CatalogueRow& row) override
    {
        ++m_rows;
        m_next.AddRow(row);
    }
    std::uint64_t Rows() const { return m_rows; }

private:
    CatalogueSink& m_next;
    std::uint64_t m_rows = 0;
};

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

void BkfScanner::WaitForWorker()
{
    JoinFinishedWorker();
}

BkfScanner::StartResult BkfScanner::StartScan(const std::string& backupPath, ScannerUi& ui,
                                              const ScanOptions& options)
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
    m_bRunning = true;
    m_bWorkerAlive = true;
    m_worker = std::thread(&BkfScanner::ScanThreadProc, this, &ui);
    return StartResult::Started;
}

void BkfScanner::ScanThreadProc(BkfScanner* scanner, ScannerUi* ui)
{
    CountingCatalogue rows(*ui);
    ScanEnd end;
    const bool completed = ScanCatalogue(scanner->m_scanFile, scanner->m_bRunning,
                                         ScanSinks{rows, *ui, *ui, ui, ui->FolderDates()}, end.report,
                                         scanner->m_options);
    // Another program may open the backup while the user reviews the catalogue.
    scanner->m_scanFile.Close();
    scanner->m_bRunning = false;
    end.kind = completed ? ScanEnd::Kind::Completed : ScanEnd::Kind::Stopped;
    end.rowsFound = rows.Rows();
    ui->ScanEnded(end);
    scanner->m_bWorkerAlive = false;
}
