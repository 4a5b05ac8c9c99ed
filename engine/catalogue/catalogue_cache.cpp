// SPDX-License-Identifier: GPL-3.0-or-later
// The file: the header (magic, version, the backup's identity, whether the
// scan was deep), then one record per row ('R', its path stored as the
// length it shares with the previous row's path and the rest) and per folder
// date ('D') in the scan's order, then 'E' with the scan's date and report,
// then the hash of every byte before it (StreamHash).

#include "catalogue_cache.h"

#include "bkf_file_handle.h"
#include "cache_codec.h"
#include "name_check.h"
#include "path_limits.h"
#include "scan_report_coding.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kMagic[] = "BVBKFCAT";
// 1 hashed its bytes one at a time; 2 had no change time in its key, other
// row states, and knew no lost set blocks nor unread shares; 4 did not
// count the slots the scan abandoned nor the folders a set's catalogue named.
constexpr std::uint64_t kVersion = 5;
constexpr std::size_t kEdgeBytes = 1u << 20;
constexpr std::size_t kPathLimit = 1u << 16;

enum Record : std::uint8_t { kRow = 'R', kFolderDate = 'D', kEnd = 'E' };

std::string HexOf(std::uint64_t value)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

void EncodeHeader(CacheEncoder& out, const BackupIdentity& identity, bool deep)
{
    out.Raw(std::string_view(kMagic, 8));
    out.Varint(kVersion);
    out.Varint(identity.device);
    out.Varint(identity.inode);
    out.Varint(identity.size);
    out.Varint(static_cast<std::uint64_t>(identity.modifiedNs));
    out.Varint(static_cast<std::uint64_t>(identity.changedNs));
    out.Fixed64(identity.edgeHash);
    out.Byte(deep ? 1 : 0);
}

// True when the header is of this version and of this backup, and its scan serves `deep`.
bool HeaderMatches(CacheDecoder& in, const BackupIdentity& identity, bool deep)
{
    for (int i = 0; i < 8; ++i) {
        if (in.Byte() != static_cast<std::uint8_t>(kMagic[i]))
            return false;
    }
    const bool same = in.Varint() == kVersion && in.Varint() == identity.device && in.Varint() == identity.inode
                      && in.Varint() == identity.size
                      && in.Varint() == static_cast<std::uint64_t>(identity.modifiedNs)
                      && in.Varint() == static_cast<std::uint64_t>(identity.changedNs)
                      && in.Fixed64() == identity.edgeHash;
    const bool deepScan = in.Byte() != 0;
    return same && !in.Failed() && (deepScan || !deep);
}

std::size_t SharedLength(std::string_view a, std::string_view b)
{
    const std::size_t most = std::min(a.size(), b.size());
    std::size_t shared = 0;
    while (shared < most && a[shared] == b[shared])
        ++shared;
    return shared;
}

// The states a scan or a data check gives. A save's outcomes (saved, partly
// saved, not saved) and values this build does not know are refused.
bool IsScanStatus(unsigned value)
{
    switch (static_cast<RowStatus>(value)) {
    case RowStatus::NotChecked:
    case RowStatus::NoChecksum:
    case RowStatus::ChecksumLost:
    case RowStatus::Verified:
    case RowStatus::Damaged:
    case RowStatus::CutShort:
    case RowStatus::NoData:
    case RowStatus::FolderLost:
    case RowStatus::FromCatalogue:
    case RowStatus::NotFound:
        return true;
    case RowStatus::Saved:
    case RowStatus::PartlySaved:
    case RowStatus::NotSaved:
        return false;
    }
    return false;
}

// A path as the scan makes one: "BKF\" and then clean, non-empty components
// within the path limits; a folder's ends with "\".
bool IsCataloguePath(std::string_view path, bool folder)
{
    if (folder) {
        if (path.empty() || path.back() != '\\')
            return false;
        path.remove_suffix(1);
    }
    return path.size() > 4 && path.compare(0, 4, "BKF\\") == 0 && path.back() != '\\'
        && path.find("\\\\") == std::string_view::npos && IsCleanName(path) && PathLimits{}.Fits(path);
}

// The scan ends the data of a file whose stated size runs past the end of the
// backup where the next block begins, and the next file's data begin after
// that block: such data never overlap the data of a file after them. Rows
// from a cache are held to the same, so that they cannot make a save write
// the backup many times over.
class DataRangeCheck {
public:
    explicit DataRangeCheck(std::uint64_t backupSize) : m_backupSize(backupSize) {}

    bool Accepts(const CatalogueRow& row)
    {
        if (!row.located)
            return true;
        if (row.offset < m_cutShortEnd)
            return false;
        if (row.size > m_backupSize - std::min(m_backupSize, row.offset))
            m_cutShortEnd = std::max(m_cutShortEnd, std::min(m_backupSize, row.dataLimit));
        return true;
    }

private:
    std::uint64_t m_backupSize;
    std::uint64_t m_cutShortEnd = 0; // where the data of the last file cut short end
};

// Reads the records after the header; hands them on only when `sinks` are given.
struct RecordReader {
    CacheDecoder& in;
    CatalogueSink* rows;
    FolderDateSink* dates;
    const std::atomic<bool>& running;
    DataRangeCheck ranges;
    std::string path;

    bool ReadRow()
    {
        const std::uint8_t flags = in.Byte();
        const std::uint64_t shared = in.Varint();
        if (shared > path.size() || !IsScanStatus(flags >> 3u))
            return false;
        path.resize(static_cast<std::size_t>(shared));
        path.append(in.Text(kPathLimit));
        CatalogueRow row;
        row.path = path;
        row.located = (flags & 1) != 0;
        row.verified = (flags & 2) != 0;
        row.status = static_cast<RowStatus>(flags >> 3);
        row.size = in.Varint();
        row.offset = in.Varint();
        row.modified = in.Varint();
        row.dataLimit = in.Varint() - 1; // stored + 1, so that "no limit" takes one byte
        if ((flags & 4) != 0)
            row.checksum = static_cast<std::uint32_t>(in.Varint());
        if (in.Failed() || !IsCataloguePath(path, false) || !ranges.Accepts(row))
            return false;
        if (rows)
            rows->AddRow(row);
        return true;
    }

    bool ReadFolderDate()
    {
        const std::string folder(in.Text(kPathLimit));
        const std::uint64_t modified = in.Varint();
        if (in.Failed() || !IsCataloguePath(folder, true))
            return false;
        if (dates)
            dates->FolderDated(folder, modified);
        return true;
    }

    // Reads up to the end record; false when the records are malformed or the run was stopped.
    bool ReadUntilEnd()
    {
        while (running.load(std::memory_order_relaxed)) {
            const std::uint8_t type = in.Byte();
            if (type == kEnd)
                return true;
            if (type == kRow ? !ReadRow() : type == kFolderDate ? !ReadFolderDate() : true)
                return false;
        }
        return false;
    }
};

struct FileCloser {
    int fd;
    ~FileCloser()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

std::string CatalogueCachePath(const std::string& folder, const BackupIdentity& identity)
{
    const std::uint64_t key[2] = {identity.device, identity.inode};
    return folder + "/" + HexOf(HashBytes(key, sizeof key)) + ".catalogue";
}

std::string CatalogueCacheHeader(const BackupIdentity& identity, bool deep)
{
    CacheEncoder out(-1);
    EncodeHeader(out, identity, deep);
    return out.Buffered();
}

std::optional<BackupIdentity> IdentifyBackup(const BkfFileHandle& backup)
{
    const auto stamp = backup.FileStamp();
    const auto size = backup.Size();
    // A disk's modification date does not change with its content: only files are kept.
    if (!stamp || !stamp->regularFile || !size)
        return std::nullopt;
    StreamHash edges;
    std::vector<std::uint8_t> edge(static_cast<std::size_t>(std::min<std::uint64_t>(*size, kEdgeBytes)));
    for (const std::uint64_t at : {std::uint64_t{0}, *size - edge.size()}) {
        const auto got = backup.ReadAt(at, edge.data(), edge.size());
        if (!got || *got != edge.size())
            return std::nullopt;
        edges.Add(edge.data(), edge.size());
    }
    return BackupIdentity{stamp->device, stamp->inode, *size, stamp->modifiedNs, stamp->changedNs, edges.Value()};
}

// ---------------------------------------------------------------- writer

struct CatalogueCacheWriter::File {
    std::string target;
    std::string temporary;
    int fd = -1;
    CacheEncoder out{-1};
    std::string lastPath;
    bool failed = false;

    ~File()
    {
        if (fd >= 0)
            ::close(fd);
        if (!temporary.empty())
            ::unlink(temporary.c_str());
    }
};

CatalogueCacheWriter::CatalogueCacheWriter(const std::string& folder, const BackupIdentity& identity, bool deep,
                                           CatalogueSink& rows, FolderDateSink* dates)
    : m_rows(rows), m_dates(dates)
{
    if (folder.empty())
        return;
    auto file = std::make_unique<File>();
    file->target = CatalogueCachePath(folder, identity);
    file->temporary = file->target + ".tmp" + std::to_string(::getpid());
    file->fd = ::open(file->temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (file->fd < 0) {
        file->temporary.clear();
        return;
    }
    file->out = CacheEncoder(file->fd);
    EncodeHeader(file->out, identity, deep);
    m_file = std::move(file);
}

CatalogueCacheWriter::~CatalogueCacheWriter() = default;

void CatalogueCacheWriter::AddRow(const CatalogueRow& row)
{
    m_rows.AddRow(row);
    if (!m_file || m_file->failed)
        return;
    CacheEncoder& out = m_file->out;
    const std::size_t shared = SharedLength(m_file->lastPath, row.path);
    out.Byte(kRow);
    out.Byte(static_cast<std::uint8_t>((row.located ? 1 : 0) | (row.verified ? 2 : 0) | (row.checksum ? 4 : 0)
                                       | static_cast<unsigned>(row.status) << 3));
    out.Varint(shared);
    out.Text(row.path.substr(shared));
    out.Varint(row.size);
    out.Varint(row.offset);
    out.Varint(row.modified);
    out.Varint(row.dataLimit + 1);
    if (row.checksum)
        out.Varint(*row.checksum);
    m_file->lastPath.assign(row.path);
    m_file->failed = !out.FlushSome();
}

void CatalogueCacheWriter::FolderDated(std::string_view folderPath, std::uint64_t modified)
{
    if (m_dates)
        m_dates->FolderDated(folderPath, modified);
    if (!m_file || m_file->failed)
        return;
    m_file->out.Byte(kFolderDate);
    m_file->out.Text(folderPath);
    m_file->out.Varint(modified);
    m_file->failed = !m_file->out.FlushSome();
}

bool CatalogueCacheWriter::Commit(const ScanReport& report, std::int64_t scannedAt, std::string* why)
{
    if (!m_file) {
        *why = "the cache file could not be created";
        return false;
    }
    CacheEncoder& out = m_file->out;
    out.Byte(kEnd);
    out.Varint(static_cast<std::uint64_t>(scannedAt));
    EncodeScanReport(out, report);
    const bool written = !m_file->failed && out.Finish() && ::close(m_file->fd) == 0;
    m_file->fd = -1;
    if (!written || ::rename(m_file->temporary.c_str(), m_file->target.c_str()) != 0) {
        *why = "the cache file could not be written";
        return false;
    }
    m_file->temporary.clear();
    return true;
}

// ---------------------------------------------------------------- reader

CacheLoad LoadCatalogueCache(const std::string& folder, const BackupIdentity& identity, bool deep,
                             CatalogueSink& rows, FolderDateSink* dates, ScanReport& report,
                             const std::atomic<bool>& running, const std::function<void(std::int64_t)>& found)
{
    CacheLoad load;
    const FileCloser file{folder.empty() ? -1
                                         : ::open(CatalogueCachePath(folder, identity).c_str(),
                                                  O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK)};
    // O_NONBLOCK: a FIFO in the cache's place would hold the open until a
    // writer came. Anything but a regular file is no cache; the next scan's
    // cache is renamed over it.
    struct stat info {};
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 8)
        return load;
    const std::uint64_t end = static_cast<std::uint64_t>(info.st_size) - 8;
    // Read twice: rows are handed on only from a file known to be intact
    // (its hash holds) and well-formed to its end.
    ScanReport read;
    for (const bool handOn : {false, true}) {
        CacheDecoder in(file.fd, end);
        if (!HeaderMatches(in, identity, deep))
            return load;
        if (handOn && found)
            found(load.scannedAt);
        RecordReader records{in, handOn ? &rows : nullptr, handOn ? dates : nullptr, running,
                             DataRangeCheck(identity.size), {}};
        if (!records.ReadUntilEnd()) {
            load.found = handOn; // stopped while handing on
            return load;
        }
        load.scannedAt = static_cast<std::int64_t>(in.Varint());
        read = ScanReport();
        if (!DecodeScanReport(in, read) || !in.HashHolds())
            return load;
    }
    report = std::move(read);
    // The file's date says when it was last used, for the clean-up.
    ::futimens(file.fd, nullptr);
    load.found = load.completed = true;
    return load;
}
