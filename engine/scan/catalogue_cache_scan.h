// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scan that keeps its catalogue for the next run, or instead of the scan the
// catalogue that an earlier completed scan of the same backup kept. The
// command-line tool and the window both open a backup through this.

#include "scan_report.h"
#include "scan_sinks.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class BkfFileHandle;
#include "catalogue_store.h"

struct CatalogueCacheUse {
    bool read = true;  // a matching cache serves instead of a scan
    bool write = true; // a completed scan leaves its catalogue for the next run
};

struct CachedScanSinks {
    CatalogueSink& rows;
    FolderDateSink* dates = nullptr;
    // Hears a cached catalogue's folders (a scan reports its own).
    FolderPathSink* folders = nullptr;
};

struct CachedScanNotices {
    // The date of the cached scan (seconds since 1970), before its first row.
    std::function<void(std::int64_t)> fromCache;
    // Why the scan's catalogue could not be kept; the run goes on without.
    std::function<void(const std::string&)> notKept;
};

struct CachedScanOutcome {
    bool completed = false; // every row was handed on
    bool fromCache = false;
    std::int64_t scannedAt = 0; // of the cached scan
};

// Runs the scan into the sinks it is given; true when it completed.
using CatalogueScanRun = std::function<bool(CatalogueSink& rows, FolderDateSink* dates)>;

// Hands on the catalogue of the cache in $XDG_CACHE_HOME when one of a scan
// that serves `deep` matches the backup; otherwise runs `scan` and, when it
// completes, keeps its catalogue and report there. A cache folder that
// cannot be made or written only costs the cache. Stops when `running` is
// cleared.
CachedScanOutcome ScanOrLoadCache(const BkfFileHandle& backup, bool deep, const CatalogueCacheUse& use,
                                  const CachedScanSinks& sinks, ScanReport& report, const std::atomic<bool>& running,
                                  const CatalogueScanRun& scan, const CachedScanNotices& notices = {});

// A catalogue gathered whole, with every folder and its date (unknown ones
// too, unlike the store's own), to be kept again with other states.
class CatalogueWithFolders : public CatalogueSink, public FolderDateSink {
public:
    void AddRow(const CatalogueRow& row) override;
    void FolderDated(std::string_view folderPath, std::uint64_t modified) override;

    CatalogueStore store;
    std::vector<FolderDate> folders;
};

// Keeps the store's rows, with the states their data checks left, and
// `folders` as the backup's catalogue in $XDG_CACHE_HOME, in place of the one
// kept before: the next run shows the states. `report` and `scannedAt` are the
// scan's that made the rows. False (with the reason) when it could not.
bool KeepCatalogue(const BkfFileHandle& backup, const CatalogueStore& store, const std::vector<FolderDate>& folders,
                   const ScanReport& report, std::int64_t scannedAt, std::string* why);

// Sets in the backup's kept catalogue what a save's data checks found
// (`rows`: catalogue row numbers, in the order the catalogue hands them on):
// matched for `verified`, differed for `damaged`. Nothing to do, or no kept
// catalogue of the backup, is no failure; false (with the reason) when it
// could not be written.
bool KeepDataChecks(const BkfFileHandle& backup, bool deep, const std::vector<std::size_t>& verified,
                    const std::vector<std::size_t>& damaged, std::string* why);
