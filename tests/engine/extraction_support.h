// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared pieces of the extraction tests: file contents, folder listings, a
// progress recorder and a runner for ExtractCheckedFiles over a file.

#include "bkf_file_handle.h"
#include "bkf_scanner.h"
#include "file_extraction.h"
#include "catalogue_store.h"
#include "extraction_progress.h"
#include "extraction_report.h"

#include <gtest/gtest.h>

#include <algorithm>
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

namespace fs = std::filesystem;

using Bytes = std::vector<std::uint8_t>;

// Bytes that differ at every position (no period of 64 KiB or a power of
// two), so a slice written twice, dropped or shifted shows in a comparison.
inline Bytes Pattern(std::size_t length, std::uint32_t seed = 1)
{
    Bytes bytes(length);
    std::uint32_t state = seed * 2654435761u + 12345u;
    for (std::size_t k = 0; k < length; ++k) {
        state = state * 1103515245u + 12345u;
        bytes[k] = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
}

inline Bytes Slice(const Bytes& bytes, std::uint64_t offset, std::uint64_t length)
{
    if (offset >= bytes.size())
        return {};
    const std::uint64_t end = std::min<std::uint64_t>(bytes.size(), offset + length);
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(offset), bytes.begin() + static_cast<std::ptrdiff_t>(end));
}

// The file's content, or nothing when it cannot be read (missing, a folder).
inline std::optional<Bytes> ReadFileBytes(const std::string& path)
{
    std::error_code error;
    if (!fs::is_regular_file(fs::symlink_status(path, error)))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    ASSERT_TRUE(out) << "cannot write " << path;
}

// Every entry below `folder`, relative, "/"-separated, folders with a
// trailing "/", links with a trailing "@"; links are not followed.
inline std::set<std::string> TreeOf(const std::string& folder)
{
    std::set<std::string> entries;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        std::string name = fs::relative(it->path(), folder).generic_string();
        const auto status = it->symlink_status();
        if (fs::is_symlink(status))
            name += "@";
        else if (fs::is_directory(status))
            name += "/";
        entries.insert(name);
    }
    return entries;
}

// The catalogue path of a row as the file's path below the output root.
inline std::string OnDisk(const std::string& root, std::string_view cataloguePath)
{
    std::string path(cataloguePath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return root + "/" + path;
}

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

// Opens `backupPath` and runs ExtractCheckedFiles into `destination`.
inline ExtractionReport ExtractInto(const std::string& backupPath, const CatalogueStore& rows,
                                    const std::string& destination, RecordingProgress& progress,
                                    BkfScanner& scanner, const std::string& prefix = "Recovered BKF")
{
    BkfFileHandle backup;
    if (!backup.Open(backupPath)) {
        ADD_FAILURE() << "cannot open " << backupPath << ": " << backup.LastError();
        return {};
    }
    // As the window's save does: the run may go on until StopScan clears the flag.
    scanner.RunningFlag() = true;
    return ExtractCheckedFiles(backup, rows, destination, prefix, scanner.RunningFlag(), progress);
}

inline ExtractionReport ExtractInto(const std::string& backupPath, const CatalogueStore& rows,
                                    const std::string& destination, const std::string& prefix = "Recovered BKF")
{
    BkfScanner scanner;
    RecordingProgress progress;
    return ExtractInto(backupPath, rows, destination, progress, scanner, prefix);
}

// Runs `body` in a forked child and returns its exit status, or nothing
// when it had to be killed after `limit` (a hang) or died by a signal.
inline std::optional<int> RunInChild(const std::function<int()>& body,
                                     std::chrono::milliseconds limit = std::chrono::seconds(20))
{
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        int status = 1;
        try {
            status = body();
        } catch (...) {
            status = 99;
        }
        std::fflush(nullptr);
        ::_exit(status);
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (true) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child)
            break;
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!WIFEXITED(status))
        return std::nullopt;
    return WEXITSTATUS(status);
}

} // namespace extraction_test
