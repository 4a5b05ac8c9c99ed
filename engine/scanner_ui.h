#pragma once
// Everything the scan worker does to the windows, as one interface, so the
// engine stays free of any toolkit. The window implements it by carrying each
// call over to its own thread and waiting until it has been applied; the
// tests implement it with a recorder.

#include "scan_sinks.h"

#include <cstdint>
#include <string>

class ScannerUi : public CatalogueSink, public FolderPathSink, public ScanProgress, public DiagnosticTrace {
public:
    // The backup the user chose.
    virtual std::string BackupFilePath() = 0;

    virtual void SetHelpText(const std::string& text) = 0;         // instruction label
    virtual void SetScanPositionText(const std::string& text) = 0; // position label
    virtual void SetFileCountText(const std::string& text) = 0;    // file-count label
    virtual void SetProgressVisible(bool visible) = 0;
    virtual void SetStopVisible(bool visible) = 0;
    virtual void ShowMessage(const std::string& text) = 0; // modal, information icon, OK
    virtual void GoBack() = 0;                              // the wizard back to the file page

    // Applies whatever the scan reported and the window has not applied yet.
    virtual void FlushScanResults() = 0;
    // End of a scan: every folder checked and collapsed but the root, the
    // contents list emptied, every row ticked.
    virtual void PrepareReview() = 0;
    virtual std::uint64_t RowCount() = 0;

    void Trace(std::string_view) override {}
};
