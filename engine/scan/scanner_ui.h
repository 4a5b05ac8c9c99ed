// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the scan worker tells whoever started it: the catalogue through the
// scan sinks while it runs, then one end-of-scan report. The engine says what
// happened; the listener decides what the window shows.

#include "scan_report.h"
#include "scan_sinks.h"

#include <cstdint>
#include <optional>
#include <string>

struct ScanEnd {
    enum class Kind {
        Completed,  // the whole backup was examined
        Stopped,    // the running flag was cleared; what was found stays
        OpenFailed, // the backup could not be opened; no scan ran
        Failed,     // something outside any one block failed (a thread or a buffer could not be made)
    };
    Kind kind = Kind::Completed;
    std::string openError;       // the system's reason, with OpenFailed
    std::string failure;         // what failed, with Failed
    std::uint64_t rowsFound = 0; // catalogue rows reported, with or without data
    std::string unreadable;      // why not one byte could be read, when none could
    // The date of the earlier scan (seconds since 1970) whose cached catalogue
    // was handed on instead of scanning.
    std::optional<std::int64_t> cachedScanAt;
    ScanReport report;
};

class ScannerUi : public CatalogueSink, public FolderPathSink, public ScanProgress, public DiagnosticTrace {
public:
    // Called exactly once for every StartScan that opened the backup, on the
    // worker thread, after the last sink call and after the backup was
    // closed; and, for a backup that cannot be opened or a worker that
    // cannot be started, on the thread of StartScan before it returns. The worker counts as alive until this
    // returns, so no second scan can start from inside it.
    virtual void ScanEnded(const ScanEnd& end) = 0;

    void Trace(std::string_view) override {}
    // Where folder dates go (for a save that restores them), or nowhere.
    virtual FolderDateSink* FolderDates() { return nullptr; }
};
