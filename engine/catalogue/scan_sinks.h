// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The narrow interfaces through which the catalogue scan reports what it
// finds. The window, bkf-recover, the tests and the fuzzer each implement
// them; the scan itself never knows who listens.

#include "catalogue_store.h"

#include <cstdint>
#include <string_view>

// Receives one catalogue row per accepted FILE block, in file order.
class CatalogueSink {
public:
    virtual ~CatalogueSink() = default;
    virtual void AddRow(const CatalogueRow& row) = 0;
};

// Receives the folder path ("BKF\set\dir\") of each directory block; every
// component before the last "\" is a folder of the tree. A file's folders
// travel with its row (its catalogue path), not again through here.
class FolderPathSink {
public:
    virtual ~FolderPathSink() = default;
    virtual void AddPath(std::string_view path) = 0;
};

// Receives the scan's progress. WindowScanned follows every whole 64 KiB
// window and is the natural point to apply a batch of changes.
class ScanProgress {
public:
    virtual ~ScanProgress() = default;
    virtual void FileCountChanged(std::uint64_t filesFound) = 0;
    virtual void WindowScanned(std::uint64_t position, std::uint64_t fileSize) = 0;
};

// Receives the short diagnostic trace (one entry per SSET block).
class DiagnosticTrace {
public:
    virtual ~DiagnosticTrace() = default;
    virtual void Trace(std::string_view text) = 0;
};

// Receives the modification date of each folder ("BKF\set\dir\") whose
// DIRB block gives one, as 40 packed bits (see mtf_date.h).
class FolderDateSink {
public:
    virtual ~FolderDateSink() = default;
    virtual void FolderDated(std::string_view folderPath, std::uint64_t modified) = 0;
};

struct ScanSinks {
    CatalogueSink& catalogue;
    FolderPathSink& folders;
    ScanProgress& progress;
    DiagnosticTrace* trace = nullptr;      // optional
    FolderDateSink* folderDates = nullptr; // optional
};
