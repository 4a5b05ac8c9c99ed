// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report "Save report..." writes: a log that describes itself, so that
// it still says what it is about when read months later or by someone else.
// Which program read which backup when and how, what the scan passed over,
// the state of every file that asks for a look, and what the last save did.

#include <QString>

#include <cstddef>
#include <cstdint>

class CatalogueStore;
struct ExtractionReport;
struct FileIdentity;
struct ScanReport;

struct ReportLogFacts {
    const QString& backupPath;
    const FileIdentity& backup;      // its size and modification time as scanned
    std::int64_t scannedAt = 0;      // seconds since 1970
    const ScanReport& scan;
    const CatalogueStore& store;     // the files and their states
    const ExtractionReport* save = nullptr; // the last save, if any
    std::size_t chosen = 0;          // the files that save was given
};

QString ReportLog(const ReportLogFacts& facts);
