// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_recorder.h"

#include "bkf_file_handle.h"
#include "catalogue_scan.h"
#include "temp_path.h"

#include <ostream>
#include <stdexcept>

std::ostream& operator<<(std::ostream& out, const ScanEvent& event)
{
    return out << (event.kind == ScanEvent::Row ? "Row " : "Path ") << event.path;
}

std::ostream& operator<<(std::ostream& out, const WindowReport& window)
{
    return out << window.position << " of " << window.fileSize;
}

std::ostream& operator<<(std::ostream& out, const RecordedRow& row)
{
    out << row.path;
    if (row.located)
        out << " size " << row.size << " offset " << row.offset;
    return out << (row.located ? "" : " (no location)");
}

std::vector<std::string> ScanRecord::RowPaths() const
{
    std::vector<std::string> out;
    out.reserve(rows.size());
    for (const RecordedRow& row : rows)
        out.push_back(row.path);
    return out;
}

const RecordedRow* ScanRecord::FindRow(std::string_view path) const
{
    for (const RecordedRow& row : rows) {
        if (row.path == path)
            return &row;
    }
    return nullptr;
}

bool ScanRecord::HasPath(std::string_view path) const
{
    for (const std::string& added : paths) {
        if (added == path)
            return true;
    }
    return false;
}

std::size_t ScanRecord::LocatedCount() const
{
    std::size_t count = 0;
    for (const RecordedRow& row : rows)
        count += row.located ? 1 : 0;
    return count;
}

ScanSinks RecordingSinks::Sinks()
{
    return ScanSinks{*this, *this, *this, this};
}

void RecordingSinks::AddRow(const CatalogueRow& row)
{
    record.rows.push_back(RecordedRow{std::string(row.path), row.located, row.size, row.offset, row.verified,
                                      row.status, row.dataLimit});
    record.events.push_back(ScanEvent{ScanEvent::Row, std::string(row.path)});
    // A row carries its folders to the tree: they are recorded as its path.
    record.paths.emplace_back(row.path);
    record.events.push_back(ScanEvent{ScanEvent::Path, std::string(row.path)});
    if (onRow)
        onRow(record.rows.back());
}

void RecordingSinks::AddPath(std::string_view path)
{
    record.paths.emplace_back(path);
    record.events.push_back(ScanEvent{ScanEvent::Path, std::string(path)});
}

void RecordingSinks::FileCountChanged(std::uint64_t filesFound)
{
    record.fileCounts.push_back(filesFound);
}

void RecordingSinks::WindowScanned(std::uint64_t position, std::uint64_t fileSize)
{
    record.windows.push_back(WindowReport{position, fileSize});
    if (onWindow)
        onWindow(record.windows.back());
}

void RecordingSinks::Trace(std::string_view text)
{
    record.trace += text;
}

ScanResult ScanPath(const std::string& path, const ScanSetup& setup)
{
    BkfFileHandle file;
    if (!file.Open(path))
        throw std::runtime_error("cannot open " + path + ": " + file.LastError());
    return ScanHandle(file, setup);
}

ScanResult ScanHandle(const BkfFileHandle& file, const ScanSetup& setup, const ScanOptions& options)
{
    RecordingSinks sinks;
    std::atomic<bool> running{true};
    if (setup)
        setup(sinks, running);
    ScanResult result;
    result.completed = ScanCatalogue(file, running, sinks.Sinks(), result.report, options);
    static_cast<ScanRecord&>(result) = std::move(sinks.record);
    return result;
}

ScanResult ScanBytes(const std::vector<std::uint8_t>& bytes, const ScanSetup& setup)
{
    TempFile file(bytes);
    return ScanPath(file.Path(), setup);
}
