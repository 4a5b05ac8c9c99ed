// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared pieces of the extraction tests: file contents, folder listings, a
// progress recorder and a runner for ExtractCheckedFiles over a file.

#include "bkf_file_handle.h"
#include "file_extraction.h"
#include "catalogue_store.h"
#include "extraction_progress.h"
#include "extraction_report.h"
#include "file_contents.h"
#include "run_in_child.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace extraction_test {

using namespace test_files; // Bytes, Pattern, Slice, ReadFileBytes, TreeOf, OnDisk, fs

inline const char* KindName(SaveFailureKind kind)
{
    switch (kind) {
    case SaveFailureKind::NoDataFound: return "NoDataFound";
    case SaveFailureKind::NotAFile: return "NotAFile";
    case SaveFailureKind::UnsafePath: return "UnsafePath";
    case SaveFailureKind::NotCreated: return "NotCreated";
    case SaveFailureKind::CutShort: return "CutShort";
    case SaveFailureKind::Unreadable: return "Unreadable";
    case SaveFailureKind::WriteFailed: return "WriteFailed";
    case SaveFailureKind::Stopped: return "Stopped";
    }
    return "?";
}

inline std::string ReportText(const ExtractionReport& report)
{
    std::string text = "root " + report.rootFolder + (report.completed ? " completed" : " stopped") + ", "
                       + std::to_string(report.filesSaved) + " files, " + std::to_string(report.bytesSaved)
                       + " bytes\n";
    for (const SaveFailure& failure : report.failures)
        text += "  row " + std::to_string(failure.row) + " " + KindName(failure.kind) + " " + failure.path + ": "
                + DescribeFailure(failure) + "\n";
    return text;
}

// The failures of one row, in report order.
inline std::vector<SaveFailure> FailuresOf(const ExtractionReport& report, std::size_t row)
{
    std::vector<SaveFailure> out;
    for (const SaveFailure& failure : report.failures) {
        if (failure.row == row)
            out.push_back(failure);
    }
    return out;
}

// Every progress call, in order; the hooks run inside the calls.
class RecordingProgress : public ExtractionProgress {
public:
    struct Event {
        enum Kind { Begin, FileStarted, BytesCopied, RowDone } kind;
        std::uint64_t a = 0; // row count, row or byte count
        std::uint64_t b = 0; // bytes chosen (Begin)
        std::string path;    // FileStarted
    };

    std::vector<Event> events;
    std::function<void()> onBegin;
    std::function<void(std::size_t row)> onFileStarted;
    std::function<void(std::uint64_t bytes)> onBytes;
    std::function<void(std::size_t row)> onRowDone;

    void Begin(std::size_t rowCount, std::uint64_t bytesChosen) override
    {
        events.push_back({Event::Begin, rowCount, bytesChosen, {}});
        if (onBegin)
            onBegin();
    }
    void FileStarted(std::size_t row, std::string_view cataloguePath) override
    {
        events.push_back({Event::FileStarted, row, 0, std::string(cataloguePath)});
        if (onFileStarted)
            onFileStarted(row);
    }
    void BytesCopied(std::uint64_t bytes) override
    {
        events.push_back({Event::BytesCopied, bytes, 0, {}});
        if (onBytes)
            onBytes(bytes);
    }
    void RowDone(std::size_t row) override
    {
        events.push_back({Event::RowDone, row, 0, {}});
        if (onRowDone)
            onRowDone(row);
    }

    std::vector<std::uint64_t> Rows(Event::Kind kind) const
    {
        std::vector<std::uint64_t> rows;
        for (const Event& event : events) {
            if (event.kind == kind)
                rows.push_back(event.a);
        }
        return rows;
    }
    std::uint64_t BytesTotal() const
    {
        std::uint64_t total = 0;
        for (const Event& event : events)
            total += event.kind == Event::BytesCopied ? event.a : 0;
        return total;
    }
};

// A catalogue row as the tests state it.
struct Row {
    std::string path;
    std::uint64_t size = 0;
    std::uint64_t offset = 0;
    bool located = true;
    bool ticked = true;
    bool verified = true; // the block's checksum held
};

inline void Fill(CatalogueStore& store, const std::vector<Row>& rows)
{
    for (const Row& row : rows) {
        CatalogueRow entry;
        entry.path = row.path;
        entry.located = row.located;
        entry.size = row.located ? row.size : 0;
        entry.offset = row.located ? row.offset : 0;
        entry.verified = row.verified;
        store.SetTicked(store.Append(entry), row.ticked);
    }
}

// The flag a save's stop clears, as the window's save worker holds it.
struct StopSwitch {
    std::atomic<bool> running{true};
    void Stop() { running = false; }
};

// Opens `backupPath` and runs ExtractCheckedFiles into `destination`.
inline ExtractionReport ExtractInto(const std::string& backupPath, const CatalogueStore& rows,
                                    const std::string& destination, RecordingProgress& progress,
                                    StopSwitch& scanner, const std::string& prefix = "Recovered BKF")
{
    BkfFileHandle backup;
    if (!backup.Open(backupPath)) {
        ADD_FAILURE() << "cannot open " << backupPath << ": " << backup.LastError();
        return {};
    }
    // The run may go on until Stop clears the flag.
    return ExtractCheckedFiles(backup, rows, destination, prefix, scanner.running, progress);
}

inline ExtractionReport ExtractInto(const std::string& backupPath, const CatalogueStore& rows,
                                    const std::string& destination, const std::string& prefix = "Recovered BKF")
{
    StopSwitch scanner;
    RecordingProgress progress;
    return ExtractInto(backupPath, rows, destination, progress, scanner, prefix);
}

} // namespace extraction_test
