// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the catalogue scan over test bytes and records everything it reports.
//
//     ScanResult r = ScanBytes(writer.Bytes());
//     EXPECT_EQ(r.RowPaths(), (std::vector<std::string>{R"(BKF\BACKUP SET 0\a.txt)"}));

#include "scan_options.h"
#include "scan_report.h"
#include "scan_sinks.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

class BkfFileHandle;

// A catalogue row with its own copy of the path (CatalogueRow::path is only
// valid during the AddRow call).
struct RecordedRow {
    std::string path;
    bool located = false;
    std::uint64_t size = 0;
    std::uint64_t offset = 0;
    bool verified = false;
    RowStatus status = RowStatus::NoChecksum;
    std::uint64_t dataLimit = UINT64_MAX;
};

// One AddRow or AddPath call, in the order the scan made them.
struct ScanEvent {
    enum Kind { Row, Path } kind;
    std::string path;
    bool operator==(const ScanEvent& other) const { return kind == other.kind && path == other.path; }
};

struct WindowReport {
    std::uint64_t position = 0;
    std::uint64_t fileSize = 0;
    bool operator==(const WindowReport& other) const
    {
        return position == other.position && fileSize == other.fileSize;
    }
};

// Readable failure messages in tests.
std::ostream& operator<<(std::ostream& out, const ScanEvent& event);
std::ostream& operator<<(std::ostream& out, const WindowReport& window);
std::ostream& operator<<(std::ostream& out, const RecordedRow& row);

// Everything one scan reported.
struct ScanRecord {
    std::vector<RecordedRow> rows;
    // The paths the tree receives: AddPath arguments (folders), and each
    // row's path right after the row, as its folders travel with it.
    std::vector<std::string> paths;
    std::vector<ScanEvent> events;        // rows and paths interleaved
    std::vector<std::uint64_t> fileCounts; // FileCountChanged arguments
    std::vector<WindowReport> windows;    // WindowScanned arguments
    std::string trace;                    // all Trace texts, concatenated

    std::vector<std::string> RowPaths() const;
    // The first row with this path, or nullptr.
    const RecordedRow* FindRow(std::string_view path) const;
    bool HasPath(std::string_view path) const;
    std::size_t LocatedCount() const;
};

// Implements every scan sink and records into `record`. The hooks run inside
// the sink calls, on the scanning thread; tests use them to clear the running
// flag at a chosen point.
class RecordingSinks : public CatalogueSink, public FolderPathSink, public ScanProgress, public DiagnosticTrace {
public:
    ScanRecord record;
    std::function<void(const RecordedRow&)> onRow;
    std::function<void(const WindowReport&)> onWindow;

    // Sinks for ScanCatalogue, all pointing at this object.
    ScanSinks Sinks();

    void AddRow(const CatalogueRow& row) override;
    void AddPath(std::string_view path) override;
    void FileCountChanged(std::uint64_t filesFound) override;
    void WindowScanned(std::uint64_t position, std::uint64_t fileSize) override;
    void Trace(std::string_view text) override;
};

struct ScanResult : ScanRecord {
    bool completed = false; // what ScanCatalogue returned
    ScanReport report;      // what the scan passed over
};

// Called before the scan starts, to install hooks or clear the flag.
using ScanSetup = std::function<void(RecordingSinks& sinks, std::atomic<bool>& running)>;

// Writes `bytes` to a temporary file, opens it with BkfFileHandle and runs
// ScanCatalogue with a set running flag. Throws std::runtime_error when the
// file cannot be written or opened.
ScanResult ScanBytes(const std::vector<std::uint8_t>& bytes, const ScanSetup& setup = {});
// The same over a file that already exists.
ScanResult ScanPath(const std::string& path, const ScanSetup& setup = {});
// The same over an open file (a FailingFile, for example).
ScanResult ScanHandle(const BkfFileHandle& file, const ScanSetup& setup = {}, const ScanOptions& options = {});
