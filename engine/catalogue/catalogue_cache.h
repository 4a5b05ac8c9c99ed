// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The catalogue of a completed scan kept in a file, so that the next run on
// the same backup need not scan it again. The file is written as the scan
// goes (never held whole in memory) into a temporary file that is renamed
// into place only when the scan completed. It is keyed on the backup's
// device, inode, size, modification and change times and a hash of its
// first and last MiB, and ends with a hash of all its bytes: a cache that is
// damaged, of another format version or of another backup is never used.
// What it holds passes the checks a scan's output passes (clean paths,
// printable report texts, data ranges bounded as the scan bounds them), so
// that a crafted cache can do no more than a crafted backup.

#include "scan_report.h"
#include "scan_sinks.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class BkfFileHandle;

struct BackupIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0; // no call sets it: a change with the modification time put back shows here
    std::uint64_t edgeHash = 0; // of the first and the last MiB
};

// The identity of the open backup, its edges read through `backup` itself;
// nothing when it cannot be told or the backup is no regular file (a disk).
std::optional<BackupIdentity> IdentifyBackup(const BkfFileHandle& backup);

// Passes the rows and folder dates on to the sinks given, and appends them to
// the cache file of the backup.
class CatalogueCacheWriter : public CatalogueSink, public FolderDateSink {
public:
    // `rows` and `dates` (optional) must outlive this object. Without a
    // usable `folder` the rows are only passed on.
    CatalogueCacheWriter(const std::string& folder, const BackupIdentity& identity, bool deep, CatalogueSink& rows,
                         FolderDateSink* dates);
    ~CatalogueCacheWriter() override; // an unfinished file is removed
    CatalogueCacheWriter(const CatalogueCacheWriter&) = delete;
    CatalogueCacheWriter& operator=(const CatalogueCacheWriter&) = delete;

    void AddRow(const CatalogueRow& row) override;
    void FolderDated(std::string_view folderPath, std::uint64_t modified) override;

    // Ends the file with the scan's report and puts it in place of the
    // backup's older cache; false (with the reason) when it could not.
    bool Commit(const ScanReport& report, std::int64_t scannedAt, std::string* why);

private:
    struct File;
    CatalogueSink& m_rows;
    FolderDateSink* m_dates;
    std::unique_ptr<File> m_file;
};

struct CacheLoad {
    bool found = false;     // a matching, intact cache was there
    bool completed = false; // and every row was handed on (not stopped)
    std::int64_t scannedAt = 0;
};

// Hands on the rows and folder dates of the backup's cache in their order
// and fills `report`, after checking the whole file. A cache of a deep scan
// serves a request without `deep`, not the other way round. `found` hears
// the scan's date (seconds since 1970) before the first row. Stops when
// `running` is cleared.
CacheLoad LoadCatalogueCache(const std::string& folder, const BackupIdentity& identity, bool deep,
                             CatalogueSink& rows, FolderDateSink* dates, ScanReport& report,
                             const std::atomic<bool>& running, const std::function<void(std::int64_t)>& found = {});

// The bytes a cache file of the backup begins with: the fuzzer frames its
// inputs with them.
std::string CatalogueCacheHeader(const BackupIdentity& identity, bool deep);

// The path of the backup's cache file in `folder`.
std::string CatalogueCachePath(const std::string& folder, const BackupIdentity& identity);
