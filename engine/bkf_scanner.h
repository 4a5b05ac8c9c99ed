#pragma once
// The recovery engine object: starts and stops the catalogue scan on a worker
// thread, and copies ticked files out of a backup.

#include "bkf_file_handle.h"
#include "extraction_report.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

class CatalogueStore;
class ExtractionProgress;
class ScannerUi;

class BkfScanner {
public:
    BkfScanner();
    // Requests a stop and waits for the worker. The ScannerUi must no longer
    // block on its window thread by then (see ScanUiBridge::Detach).
    virtual ~BkfScanner();
    BkfScanner(const BkfScanner&) = delete;
    BkfScanner& operator=(const BkfScanner&) = delete;

    enum class StartResult { Started, OpenFailed, Busy };

    // Opens the backup that `ui` names and starts the worker. Refuses (Busy)
    // while a previous worker is still alive, even if it was told to stop.
    StartResult StartScan(ScannerUi& ui);
    // Clears the running flag and hides the progress bar and Stop button;
    // never waits for the worker.
    void StopScan();

    bool IsRunning() const { return m_bRunning.load(); }
    bool IsWorkerAlive() const { return m_bWorkerAlive.load(); }
    // Waits for the worker to end (tests and the command-line tool).
    void WaitForWorker();

    void SetDestinationFolder(const std::string& folder) { m_strDestination = folder; }
    const std::string& DestinationFolder() const { return m_strDestination; }

    // Copies every ticked row of `rows` from `backup` into a new output root
    // folder named after `prefix` under the destination folder. The rows must
    // not change while it runs. Stoppable before each row through StopScan.
    ExtractionReport ExtractCheckedFiles(const BkfFileHandle& backup, const CatalogueStore& rows,
                                         const std::string& prefix, ExtractionProgress& progress);

    static constexpr const char* kOpenFailedText =
        "Some Error occoured while opening file. Make sure that file is not shared";
    static constexpr const char* kNoDataText = "No data found in backup file";
    static constexpr const char* kSearchingText =
        "Veltra is Searching files.... . You can stop this searching process by pressing Stop button";
    static constexpr const char* kScanDoneText =
        "Please press Save Files button from toolbar or press Next button to save repaired file(s) ";

private:
    static void ScanThreadProc(BkfScanner* scanner);
    void JoinFinishedWorker();

    std::atomic<bool> m_bRunning{false};
    std::atomic<bool> m_bWorkerAlive{false};
    std::thread m_worker;
    ScannerUi* m_ui = nullptr;
    std::string m_strDestination;
    BkfFileHandle m_scanFile;
};
