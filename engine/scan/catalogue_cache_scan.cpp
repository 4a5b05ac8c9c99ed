// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_cache_scan.h"

#include "cache_folder.h"
#include "catalogue_cache.h"
#include "catalogue_store.h"
#include "file_system.h"

#include <ctime>

namespace {

// A scan names each folder to the folder sink and then dates it: the cache
// keeps every folder with its date, and a load names it again.
class CachedFolders : public FolderDateSink {
public:
    CachedFolders(FolderPathSink* folders, FolderDateSink* dates) : m_folders(folders), m_dates(dates) {}
    void FolderDated(std::string_view folderPath, std::uint64_t modified) override
    {
        if (m_folders)
            m_folders->AddPath(folderPath);
        if (m_dates)
            m_dates->FolderDated(folderPath, modified);
    }

private:
    FolderPathSink* m_folders;
    FolderDateSink* m_dates;
};

class NoRows : public CatalogueSink {
public:
    void AddRow(const CatalogueRow&) override {}
};

void Tell(const CachedScanNotices& notices, const std::string& text)
{
    if (notices.notKept)
        notices.notKept(text);
}

} // namespace

CachedScanOutcome ScanOrLoadCache(const BkfFileHandle& backup, bool deep, const CatalogueCacheUse& use,
                                  const CachedScanSinks& sinks, ScanReport& report, const std::atomic<bool>& running,
                                  const CatalogueScanRun& scan, const CachedScanNotices& notices)
{
    CachedScanOutcome outcome;
    const std::string folder = use.read || use.write ? CatalogueCacheFolder() : std::string();
    std::string why;
    // A folder that cannot be made holds no cache: the backup is not
    // identified either (its first and last MiB read and hashed).
    if (!folder.empty() && use.write && !CreateFolderChain(folder + "/", &why)) {
        Tell(notices, "cannot create " + folder + ": " + why);
        outcome.completed = scan(sinks.rows, sinks.dates);
        return outcome;
    }
    const auto identity = folder.empty() ? std::nullopt : IdentifyBackup(backup);
    if (identity && use.read) {
        CachedFolders folders(sinks.folders, sinks.dates);
        const CacheLoad load =
            LoadCatalogueCache(folder, *identity, deep, sinks.rows, &folders, report, running, notices.fromCache);
        if (load.found)
            return CachedScanOutcome{load.completed, true, load.scannedAt};
    }
    if (!identity || !use.write) {
        outcome.completed = scan(sinks.rows, sinks.dates);
        return outcome;
    }
    CatalogueCacheWriter cache(folder, *identity, deep, sinks.rows, sinks.dates);
    outcome.completed = scan(cache, &cache);
    if (!outcome.completed)
        return outcome;
    const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    if (!cache.Commit(report, now, &why))
        Tell(notices, folder + ": " + why);
    TrimCacheFolder(folder, now);
    return outcome;
}

void CatalogueWithFolders::AddRow(const CatalogueRow& row)
{
    store.Append(row);
}

void CatalogueWithFolders::FolderDated(std::string_view folderPath, std::uint64_t modified)
{
    folders.push_back(FolderDate{std::string(folderPath), modified});
}

bool KeepCatalogue(const BkfFileHandle& backup, const CatalogueStore& store, const std::vector<FolderDate>& folders,
                   const ScanReport& report, std::int64_t scannedAt, std::string* why)
{
    const std::string folder = CatalogueCacheFolder();
    const auto identity = folder.empty() ? std::nullopt : IdentifyBackup(backup);
    if (!identity) {
        *why = "the backup cannot be told apart from others (no cache folder, or not a regular file)";
        return false;
    }
    NoRows passOn;
    CatalogueCacheWriter cache(folder, *identity, report.deep, passOn, nullptr);
    for (std::size_t row = 0; row < store.RowCount(); ++row) {
        CatalogueRow entry = store.Row(row);
        entry.status = store.DataStatus(row); // a save's outcome is not kept
        cache.AddRow(entry);
    }
    for (const FolderDate& dated : folders)
        cache.FolderDated(dated.path, dated.modified);
    return cache.Commit(report, scannedAt, why);
}

bool KeepDataChecks(const BkfFileHandle& backup, bool deep, const std::vector<std::size_t>& verified,
                    const std::vector<std::size_t>& damaged, std::string* why)
{
    if (verified.empty() && damaged.empty())
        return true;
    const std::string folder = CatalogueCacheFolder();
    const auto identity = folder.empty() ? std::nullopt : IdentifyBackup(backup);
    if (!identity)
        return true;
    CatalogueWithFolders kept;
    ScanReport report;
    const std::atomic<bool> running{true};
    const CacheLoad load = LoadCatalogueCache(folder, *identity, deep, kept, &kept, report, running);
    if (!load.completed)
        return true;
    for (const auto& [rows, intact] : {std::make_pair(&verified, true), std::make_pair(&damaged, false)}) {
        for (const std::size_t row : *rows) {
            if (row < kept.store.RowCount())
                kept.store.NoteDataCheck(row, intact);
        }
    }
    return KeepCatalogue(backup, kept.store, kept.folders, report, load.scannedAt, why);
}
