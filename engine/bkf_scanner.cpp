#include "bkf_scanner.h"

#include "catalogue_scan.h"
#include "scanner_ui.h"

BkfScanner::BkfScanner() = default;

BkfScanner::~BkfScanner()
{
    m_bRunning = false;
    if (m_worker.joinable())
        m_worker.join();
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

BkfScanner::StartResult BkfScanner::StartScan(ScannerUi& ui)
{
    // The scan's buffers and file handle belong to one worker at a time.
    if (m_bWorkerAlive.load())
        return StartResult::Busy;
    JoinFinishedWorker();

    m_ui = &ui;
    if (!m_scanFile.Open(ui.BackupFilePath())) {
        ui.ShowMessage(kOpenFailedText);
        ui.SetStopVisible(false);
        ui.GoBack();
        ui.SetProgressVisible(false);
        return StartResult::OpenFailed;
    }
    m_bRunning = true;
    m_bWorkerAlive = true;
    m_worker = std::thread(&BkfScanner::ScanThreadProc, this);
    return StartResult::Started;
}

void BkfScanner::StopScan()
{
    m_bRunning = false;
    if (m_ui) {
        m_ui->SetProgressVisible(false);
        m_ui->SetStopVisible(false);
    }
}

void BkfScanner::ScanThreadProc(BkfScanner* scanner)
{
    ScannerUi& ui = *scanner->m_ui;
    ui.SetHelpText(kSearchingText);
    // A completed scan and a stopped one end alike.
    ScanCatalogue(scanner->m_scanFile, scanner->m_bRunning, ScanSinks{ui, ui, ui, &ui});
    ui.FlushScanResults();
    ui.SetHelpText(kScanDoneText);
    ui.SetScanPositionText(std::string());
    ui.SetFileCountText(std::string());
    scanner->m_scanFile.Close();
    ui.PrepareReview();
    scanner->StopScan();
    if (ui.RowCount() == 0) {
        ui.ShowMessage(kNoDataText);
        ui.SetStopVisible(false);
        ui.GoBack();
    }
    scanner->m_bWorkerAlive = false;
}
