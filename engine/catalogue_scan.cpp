// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_scan.h"

#include "bkf_file_handle.h"
#include "block_format.h"
#include "checksum_stream.h"
#include "deep_block_search.h"
#include "deep_scan_hint.h"
#include "mtf_date.h"
#include "name_check.h"
#include "path_limits.h"
#include "recovering_read.h"
#include "sequential_reader.h"
#include "stream_chain.h"
#include "stream_names.h"

#include <algorithm>
#include <new>
#include <optional>
#include <stdexcept>
#include <vector>

using namespace BlockFormat;

namespace {

constexpr std::size_t kEntryNameLimit = 255;     // characters, FILE
constexpr std::uint16_t kSetNameSizeLimit = 260; // bytes

// Where a block's name lies, as distances from the block start.
struct NameField {
    std::size_t start = 0;
    std::size_t length = 0;
    bool Overlaps(std::size_t from, std::size_t bytes) const
    {
        return length > 0 && from < start + length && start < from + bytes;
    }
};

// The bytes of the backup around the current window. Fields inside the window
// come from it; a field that runs past its end (a block in the last slots) is
// read from the file into a scratch buffer, so no name or stream header is
// lost at a window edge and nothing outside a buffer is ever touched.
class BackupBytes {
public:
    BackupBytes(const BkfFileHandle& file, std::uint64_t fileSize) : m_file(file), m_fileSize(fileSize) {}

    void SetWindow(std::uint64_t position, ByteView data)
    {
        m_windowPosition = position;
        m_window = data;
    }
    // The backup position of a byte inside the window.
    std::uint64_t PositionOf(const std::uint8_t* byte) const
    {
        return m_windowPosition + static_cast<std::uint64_t>(byte - m_window.data());
    }

    // The bytes [position, position + length), or fewer when the file ends
    // sooner (none when it starts past the end or cannot be read).
    ByteView Fetch(std::uint64_t position, std::size_t length)
    {
        if (position >= m_fileSize)
            return {};
        length = static_cast<std::size_t>(std::min<std::uint64_t>(length, m_fileSize - position));
        if (position >= m_windowPosition) {
            const std::uint64_t within = position - m_windowPosition;
            if (within <= m_window.size() && length <= m_window.size() - within)
                return ByteView(m_window.data() + within, length);
        }
        m_scratch.resize(length);
        const auto got = m_file.ReadAt(position, m_scratch.data(), length);
        return ByteView(m_scratch.data(), got ? *got : 0);
    }

private:
    const BkfFileHandle& m_file;
    std::uint64_t m_fileSize;
    std::uint64_t m_windowPosition = 0;
    ByteView m_window;
    std::vector<std::uint8_t> m_scratch;
};

class CatalogueScanner {
public:
    CatalogueScanner(const BkfFileHandle& file, std::uint64_t fileSize, const std::atomic<bool>& running,
                     const ScanSinks& sinks, ScanReport& report, const ScanOptions& options)
        : m_bytes(file, fileSize), m_file(file), m_fileSize(fileSize), m_running(running), m_sinks(sinks),
          m_report(report), m_limits(PathLimits::For(options.deep)),
          m_fetch([this](std::uint64_t position, std::size_t length) { return m_bytes.Fetch(position, length); })
    {
        if (options.deep)
            m_deep.emplace(m_fetch, fileSize, [this](std::uint64_t block, int type) { HandleFoundBlock(block, type); });
    }

    bool Run();

private:
    bool ScanSlots(const std::uint8_t* window, std::size_t length);
    void NoteUnreadable(const RecoveringRead& read);
    void HandleSlot(std::uint64_t block, const std::uint8_t* tag);
    void HandleBlock(std::uint64_t block, int type);
    void HandleFoundBlock(std::uint64_t block, int type);
    void SearchOffGrid(const std::uint8_t* window, std::size_t length, std::size_t from, std::size_t to);
    void Finish();
    void HandleSset(std::uint64_t block);
    void HandleDirb(std::uint64_t block);
    void HandleFile(std::uint64_t block);

    std::string ReadName(std::uint64_t block, const NameField& field, std::size_t limit, bool evenOnly);
    NameField NameFieldOf(std::uint64_t block, std::size_t sizeField, std::size_t offsetField);
    std::uint16_t BlockField16(std::uint64_t block, std::size_t field);
    bool BlockVerified(std::uint64_t block);
    std::string NormalizedDirectory();
    bool LocateStream(std::uint64_t block, const NameField& name, CatalogueRow& row);
    std::optional<std::size_t> FirstStreamHeader(std::uint64_t block);
    std::optional<std::size_t> SearchStandardStream(std::uint64_t block, const NameField& name);
    std::optional<std::size_t> WalkStreamChain(std::uint64_t block);
    bool ReadStreamLength(std::uint64_t header, CatalogueRow& row);
    std::string EntryName(std::uint64_t block, const NameField& field, std::size_t limit, const char* streamTag);
    void NoteFileFound(std::uint64_t block, std::uint64_t header, CatalogueRow& row);

    BackupBytes m_bytes;
    const BkfFileHandle& m_file;
    const std::uint64_t m_fileSize;
    const std::atomic<bool>& m_running;
    const ScanSinks& m_sinks;
    ScanReport& m_report;
    const PathLimits m_limits;
    const FetchBytes m_fetch;
    std::optional<DeepBlockSearch> m_deep;
    DeepScanHint m_hint;

    std::uint64_t m_setNumber = 0;
    std::string m_setFolder = "BACKUP SET 0";
    std::string m_currentDirectory;
    std::uint64_t m_lostDirectories = 0;
    std::uint64_t m_filesFound = 0;
    std::string m_path; // the catalogue path being formed, reused from file to file
};

bool CatalogueScanner::Run()
{
    // One window per read, into one buffer: the kernel's copy into it is
    // most of a cached scan's time, and a 64 KiB destination that stays in
    // the processor's cache makes that copy the cheapest (measured against
    // 256 KiB, 512 KiB and 1 MiB reads).
    SequentialReader windows(m_file, 0, m_fileSize, kScanWindowSize);
    while (const SequentialReader::Chunk* window = windows.Next()) {
        if (!m_running.load(std::memory_order_relaxed))
            return false;
        NoteUnreadable(window->read);
        m_bytes.SetWindow(window->position, window->bytes);
        const std::size_t length = window->bytes.size();
        if (length < kScanWindowSize) {
            // The last, partial window. A remainder of one slot or less is not examined on the grid.
            if ((length > kSlotSize || m_deep) && !ScanSlots(window->bytes.data(), length))
                return false;
            break;
        }
        if (!ScanSlots(window->bytes.data(), length))
            return false;
        m_sinks.progress.WindowScanned(window->position + length, m_fileSize);
    }
    Finish();
    return true;
}

void CatalogueScanner::Finish()
{
    if (m_deep)
        m_report.offGridBlocks += m_deep->BlocksFound();
    else
        m_hint.Finish(m_fileSize, m_report);
}

// Unreadable sectors read as zeros: reusing earlier bytes would list their
// files a second time at wrong offsets, and zeroing a whole window would lose
// every block after a bad sector.
void CatalogueScanner::NoteUnreadable(const RecoveringRead& read)
{
    if (read.unreadable.empty())
        return;
    if (m_report.readError.empty())
        m_report.readError = read.error;
    for (const ByteRange& range : read.unreadable)
        AddRange(m_report.unreadable, range.offset, range.length);
}

bool CatalogueScanner::ScanSlots(const std::uint8_t* window, std::size_t length)
{
    const std::size_t slots = length / kSlotSize;
    for (std::size_t slot = 0; slot < slots; ++slot) {
        if (!m_running.load(std::memory_order_relaxed))
            return false;
        const std::uint8_t* at = window + slot * kSlotSize;
        // Each slot is guarded as a whole: a failure abandons this slot only.
        try {
            HandleSlot(m_bytes.PositionOf(at), at);
        } catch (const std::exception&) {
        }
        if (m_deep)
            SearchOffGrid(window, length, slot * kSlotSize + 1, std::min(length, (slot + 1) * kSlotSize));
    }
    if (m_deep && slots * kSlotSize < length)
        SearchOffGrid(window, length, slots * kSlotSize, length); // the last, partial slot
    return true;
}

void CatalogueScanner::SearchOffGrid(const std::uint8_t* window, std::size_t length, std::size_t from,
                                     std::size_t to)
{
    m_deep->Search(ByteView(window, length), m_bytes.PositionOf(window), from, to);
}

// A block off the grid is guarded like a slot: a failure abandons it only.
void CatalogueScanner::HandleFoundBlock(std::uint64_t block, int type)
{
    try {
        HandleBlock(block, type);
    } catch (const std::exception&) {
    }
}

void CatalogueScanner::HandleSlot(std::uint64_t block, const std::uint8_t* tag)
{
    const int type = FindBlockTag(tag);
    if (type >= 0)
        m_hint.BlockSeen(block, kSlotSize);
    HandleBlock(block, type);
}

void CatalogueScanner::HandleBlock(std::uint64_t block, int type)
{
    switch (type) {
    case kSset: HandleSset(block); break;
    case kDirb: HandleDirb(block); break;
    case kFile: HandleFile(block); break;
    default: break;
    }
}

std::uint16_t CatalogueScanner::BlockField16(std::uint64_t block, std::size_t field)
{
    return m_bytes.Fetch(block + field, 2).Le16(0).value_or(0);
}

std::string CatalogueScanner::ReadName(std::uint64_t block, const NameField& field, std::size_t limit, bool evenOnly)
{
    const std::size_t length = evenOnly ? (field.length & ~std::size_t{1}) : field.length;
    const ByteView bytes = m_bytes.Fetch(block + field.start, length);
    if (bytes.size() < length)
        return {}; // the name runs past the end of the file
    return CopyTapeName(bytes, 0, length, limit).text;
}

void CatalogueScanner::HandleSset(std::uint64_t block)
{
    if (m_sinks.trace) {
        const std::uint16_t setNumber = BlockField16(block, kSsetSetNumber);
        m_sinks.trace->Trace("\nSet " + std::to_string(setNumber) + ": \nName: ");
    }
    const std::uint16_t size = BlockField16(block, kSsetNameSize);
    if (size > kSetNameSizeLimit) {
        m_report.longSetNames.Add(BlockVerified(block), "at byte " + std::to_string(block));
        return;
    }
    std::string label = ReadName(block, NameFieldOf(block, kSsetNameSize, kSsetNameOffset), size, false);
    std::replace(label.begin(), label.end(), '\\', '_');
    std::replace(label.begin(), label.end(), '/', '_');
    std::replace(label.begin(), label.end(), ':', '_');
    if (!label.empty() && !IsCleanName(label))
        label.clear();
    ++m_setNumber;
    m_setFolder = "BACKUP SET " + std::to_string(m_setNumber) + "(" + label + ")";
}

// The current directory always starts and ends with "\"; an empty one is
// the root. A name whose last component lacks its closing NUL would
// otherwise run into the file names after it.
std::string CatalogueScanner::NormalizedDirectory()
{
    if (m_currentDirectory.empty())
        m_currentDirectory = "\\";
    if (m_currentDirectory.front() != '\\')
        m_currentDirectory.insert(m_currentDirectory.begin(), '\\');
    if (m_currentDirectory.back() != '\\')
        m_currentDirectory.push_back('\\');
    return m_currentDirectory;
}

void CatalogueScanner::HandleDirb(std::uint64_t block)
{
    m_currentDirectory = EntryName(block, NameFieldOf(block, kDirbNameSize, kDirbNameOffset), m_limits.directoryName,
                                   kPathStreamTag);
    if (!IsCleanName(m_currentDirectory)) {
        const std::string lost = "lost dir" + std::to_string(m_lostDirectories++) + "\\";
        m_report.lostDirectories.Add(BlockVerified(block), m_currentDirectory + " -> " + lost);
        m_currentDirectory = lost;
    }
    const std::string path = "BKF\\" + m_setFolder + NormalizedDirectory();
    // A path that is too long is not added; its files are dropped by the same test.
    if (!m_limits.Fits(path))
        return;
    m_sinks.folders.AddPath(path);
    if (m_sinks.folderDates)
        m_sinks.folderDates->FolderDated(path, PackedMtfDate(m_bytes.Fetch(block, kModificationDate + 5),
                                                             kModificationDate));
}

// The deep scan takes a name from its stream when the block says it lies there.
std::string CatalogueScanner::EntryName(std::uint64_t block, const NameField& field, std::size_t limit,
                                        const char* streamTag)
{
    if (m_deep) {
        if (auto name = StreamedName(m_fetch, block, m_fileSize, streamTag, limit))
            return *name;
    }
    return ReadName(block, field, limit, true);
}

bool CatalogueScanner::BlockVerified(std::uint64_t block)
{
    return BlockChecksumHolds(m_bytes.Fetch(block, kCommonHeaderSize));
}

NameField CatalogueScanner::NameFieldOf(std::uint64_t block, std::size_t sizeField, std::size_t offsetField)
{
    return NameField{BlockField16(block, offsetField), BlockField16(block, sizeField)};
}

std::optional<std::size_t> CatalogueScanner::FirstStreamHeader(std::uint64_t block)
{
    return FirstStreamDistance(m_fetch, block);
}

// The first "STAN" within 512 bytes of the block start. A match inside the
// block's own name field (U+5453 U+4E41 spell "STAN") or before its known
// first stream header is not a stream header: the search goes on after it.
std::optional<std::size_t> CatalogueScanner::SearchStandardStream(std::uint64_t block, const NameField& name)
{
    const ByteView area = m_bytes.Fetch(block, kStreamSearchSpan + kStreamHeaderSize);
    const std::size_t from = FirstStreamHeader(block).value_or(0);
    for (auto match = area.Find4(kStandardStreamTag, from, kStreamSearchSpan); match;
         match = area.Find4(kStandardStreamTag, *match + 1, kStreamSearchSpan)) {
        if (!name.Overlaps(*match, 4))
            return match;
    }
    return std::nullopt;
}

// Follows the stream chain from the first stream header: on NTFS the
// security stream comes first and can push the data stream well past 512
// bytes. Only headers whose checksum holds are followed.
std::optional<std::size_t> CatalogueScanner::WalkStreamChain(std::uint64_t block)
{
    const auto header = FindChainStream(m_fetch, block, m_fileSize, kStandardStreamTag);
    if (!header)
        return std::nullopt;
    return static_cast<std::size_t>(*header - block);
}

bool CatalogueScanner::ReadStreamLength(std::uint64_t header, CatalogueRow& row)
{
    const auto length = m_bytes.Fetch(header + kStreamLength, 8).Le64(0);
    if (!length)
        return false; // the header runs past the end of the file
    row.located = true;
    row.size = *length;
    row.offset = header + kStreamHeaderSize;
    return true;
}

bool CatalogueScanner::LocateStream(std::uint64_t block, const NameField& name, CatalogueRow& row)
{
    auto distance = SearchStandardStream(block, name);
    if (!distance)
        distance = WalkStreamChain(block);
    if (!distance || !ReadStreamLength(block + *distance, row))
        return false;
    NoteFileFound(block, block + *distance, row);
    return true;
}

// What a found file's data tell beyond its size and offset: the deep scan
// reads its recorded checksum and counts its data as searched; the hint
// counts them as covered.
void CatalogueScanner::NoteFileFound(std::uint64_t block, std::uint64_t header, CatalogueRow& row)
{
    m_hint.DataSeen(row.offset, row.size);
    if (!m_deep)
        return;
    row.checksum = RecordedDataChecksum(m_fetch, block, header, m_fileSize);
    m_deep->FileData(block, row.offset, row.size);
}

void CatalogueScanner::HandleFile(std::uint64_t block)
{
    const bool verified = BlockVerified(block);
    const NameField field = NameFieldOf(block, kFileNameSize, kFileNameOffset);
    std::string name = EntryName(block, field, kEntryNameLimit, kFileNameStreamTag);
    if (name.empty()) {
        m_report.emptyFileNames.Add(verified, "at byte " + std::to_string(block));
        return;
    }
    if (name.front() == '\\')
        name.erase(name.begin());
    if (!IsCleanName(name)) {
        m_report.unusableFileNames.Add(verified, name);
        return;
    }
    NormalizedDirectory();
    m_path.assign("BKF\\").append(m_setFolder).append(m_currentDirectory).append(name);
    if (!m_limits.Fits(m_path)) {
        m_report.longFilePaths.Add(verified, m_path);
        return;
    }

    CatalogueRow row;
    row.path = m_path;
    row.verified = verified;
    row.modified = PackedMtfDate(m_bytes.Fetch(block, kModificationDate + 5), kModificationDate);
    const bool located = LocateStream(block, field, row);
    m_sinks.catalogue.AddRow(row);
    m_sinks.folders.AddPath(m_path);
    if (located)
        m_sinks.progress.FileCountChanged(++m_filesFound);
}

} // namespace

bool ScanCatalogue(const BkfFileHandle& file, const std::atomic<bool>& running, const ScanSinks& sinks,
                   ScanReport& report, const ScanOptions& options)
{
    const auto size = file.Size();
    if (!size)
        return true; // nothing can be examined
    report.pathLimit = PathLimits::For(options.deep).path;
    CatalogueScanner scanner(file, *size, running, sinks, report, options);
    return scanner.Run();
}

bool ScanCatalogue(const BkfFileHandle& file, const std::atomic<bool>& running, const ScanSinks& sinks)
{
    ScanReport report;
    return ScanCatalogue(file, running, sinks, report);
}

std::string FileCountText(std::uint64_t filesFound)
{
    return "Total File Found :" + std::to_string(filesFound);
}

std::string ScanPositionText(std::uint64_t position, std::uint64_t fileSize)
{
    return std::to_string(position) + " \\ " + std::to_string(fileSize);
}

int ProgressPercent(std::uint64_t position, std::uint64_t fileSize)
{
    if (fileSize == 0)
        return 0;
    // position * 100 could overflow past 184 PB; divide first when it would.
    if (position > UINT64_MAX / 100)
        return static_cast<int>(position / (fileSize / 100 ? fileSize / 100 : 1));
    return static_cast<int>(position * 100 / fileSize);
}
