// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_scan.h"

#include "bkf_file_handle.h"
#include "block_extent.h"
#include "block_format.h"
#include "checksum_stream.h"
#include "deep_block_search.h"
#include "deep_scan_hint.h"
#include "folder_ids.h"
#include "lost_folder_hold.h"
#include "mtf_date.h"
#include "name_check.h"
#include "path_limits.h"
#include "recovering_read.h"
#include "scan_window_reader.h"
#include "set_catalogue_format.h"
#include "set_catalogue_reader.h"
#include "set_catalogue_witness.h"
#include "stream_chain.h"
#include "stream_names.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>
#include <stdexcept>
#include <vector>

using namespace BlockFormat;

namespace {

constexpr std::size_t kEntryNameLimit = 256;     // characters of a FILE name, prefix backslash included
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

class CatalogueScanner {
public:
    CatalogueScanner(const BkfFileHandle& file, std::uint64_t fileSize, const std::atomic<bool>& running,
                     const ScanSinks& sinks, ScanReport& report, const ScanOptions& options)
        : m_bytes(file, fileSize), m_fileSize(fileSize), m_running(running), m_sinks(sinks),
          m_report(report), m_countCoveredTags(options.countCoveredTags), m_deepEverywhere(options.deep),
          m_fetch([this](std::uint64_t position, std::size_t length) { return m_bytes.Fetch(position, length); }),
          m_offGrid(m_fetch, [this](std::uint64_t block, int type) { HandleFoundBlock(block, type); }),
          m_witness(m_fetch, fileSize, [this](std::uint64_t block) { return FileNameAgain(block); }),
          m_lostHold(sinks, report, m_limits)
    {
    }

    bool Run();

private:
    bool ScanWindows();
    std::uint64_t NextWindow(std::uint64_t windowEnd, bool cutShort);
    void ReportProgress(std::uint64_t windowEnd);
    bool ScanSlots(const std::uint8_t* window, std::size_t length);
    std::size_t SkipCovered(const std::uint8_t* window, std::size_t length, std::size_t slot, std::size_t slots);
    void NoteUnreadable(const RecoveringRead& read);
    bool HandleSlot(std::uint64_t block, const std::uint8_t* tag);
    bool HandleBlock(std::uint64_t block, int type);
    void HandleFoundBlock(std::uint64_t block, int type);
    void Cover(std::uint64_t block, std::uint64_t end);
    void SearchOffGrid(const std::uint8_t* window, std::size_t length, std::size_t from, std::size_t to);
    void SearchUncovered(const std::uint8_t* window, std::size_t length, std::size_t start);
    void SearchBeforeWindow(std::uint64_t from, std::uint64_t windowPosition);
    void Finish();
    void HandleSset(std::uint64_t block);
    void FollowSet(std::uint64_t block, int type);
    void StartLostSet();
    void HandleDirb(std::uint64_t block, const StreamChain& chain);
    void HandleFile(std::uint64_t block, bool verified, const StreamChain& chain);
    const std::string* FolderOf(std::uint64_t block, bool& lost);
    std::string FileName(std::uint64_t block, const NameField& field, const StreamChain& chain);
    std::optional<std::string> FileNameAgain(std::uint64_t block);

    std::string ReadName(std::uint64_t block, const NameField& field, std::size_t limit, bool evenOnly);
    NameField NameFieldOf(std::uint64_t block, std::size_t sizeField, std::size_t offsetField);
    std::uint16_t BlockField16(std::uint64_t block, std::size_t field);
    std::uint32_t BlockField32(std::uint64_t block, std::size_t field);
    bool BlockVerified(std::uint64_t block);
    std::string& NormalizedDirectory();
    std::string LostFolder();
    bool LocateStream(std::uint64_t block, const NameField& name, const StreamChain& chain, CatalogueRow& row,
                      bool& checksumLost);
    std::optional<std::uint64_t> SearchStandardStream(std::uint64_t block, const NameField& name,
                                                      const StreamChain& chain);
    bool ReadStreamLength(std::uint64_t header, CatalogueRow& row);
    std::string EntryName(std::uint64_t block, const NameField& field, std::size_t limit, const char* streamTag,
                          const StreamChain& chain);
    bool RunsPastEnd(const CatalogueRow& row) const;
    LostPlace LostPlaceOf(const std::string& folder, std::string_view name) const;
    void ReleaseHeldRow(std::optional<std::uint64_t> nextBlock);
    void WeighSetCatalogue(std::uint64_t eset, const StreamChain& chain);
    std::optional<std::uint64_t> DetailHeaderAt(std::uint64_t eset, const StreamChain& chain);
    void AddCatalogueRow(const CatalogueAddition& file);

    ScanWindowReader m_bytes;
    const std::uint64_t m_fileSize;
    const std::atomic<bool>& m_running;
    const ScanSinks& m_sinks;
    ScanReport& m_report;
    const PathLimits m_limits;
    const bool m_countCoveredTags;
    const bool m_deepEverywhere; // off the grid in every slot, not only where no block accounts for the bytes
    const FetchBytes m_fetch;
    DeepBlockSearch m_offGrid;
    SetCatalogueWitness m_witness;
    LostFolderHold m_lostHold;
    bool m_catalogueRead = false; // the current set's own catalogue was read
    std::uint64_t m_searchedTo = 0; // the bytes before it were searched, or hold a block on the grid
    DeepScanHint m_hint;
    FolderIds m_folderIds;

    std::uint64_t m_setNumber = 0;
    std::string m_setFolder = "BACKUP SET 0";
    std::string m_currentDirectory;
    bool m_currentLost = false; // the current directory is a "lost dir"
    std::uint64_t m_lostDirectories = 0;
    bool m_setEnded = false;      // an ESET or filemark since the set's last entry
    bool m_setHasEntries = false; // a DIRB or FILE since the set began
    bool m_inLostSet = false;     // the current set is one whose set block was lost
    std::uint64_t m_filesFound = 0;
    std::uint64_t m_coveredEnd = 0; // the bytes before it that a block covers are data
    std::size_t m_windowLength = kScanWindowSize; // of the next window read
    std::uint64_t m_reported = 0;                 // the boundary progress last told
    std::string m_path; // the catalogue path being formed, reused from file to file
    // A file whose stated data run past the end of the backup waits for the
    // next block whose checksum holds: its data end there.
    std::optional<CatalogueRow> m_held;
    std::string m_heldPath;
    LostPlace m_heldPlace;
};

bool CatalogueScanner::Run()
{
    const bool completed = ScanWindows();
    if (m_held)
        ReleaseHeldRow(std::nullopt);
    m_lostHold.Release();
    if (completed)
        Finish();
    return completed;
}

bool CatalogueScanner::ScanWindows()
{
    std::uint64_t position = 0;
    while (const ScanWindowReader::Window* window = m_bytes.WindowAt(position, m_windowLength)) {
        if (!m_running.load(std::memory_order_relaxed))
            return false;
        NoteUnreadable(*window->read);
        if (!ScanSlots(window->bytes.data(), window->bytes.size()))
            return false;
        const std::uint64_t windowEnd = window->position + window->bytes.size();
        ReportProgress(windowEnd);
        position = NextWindow(windowEnd, window->bytes.size() < m_windowLength);
    }
    return true;
}

// Bytes a block covers are data when the backup goes on right after them:
// their tags count for nothing, so the scan does not read them. Where it
// jumps over a file's data, the next window is one of a few KiB, which
// holds the next block: a list of small files then copies only their
// blocks, at a system call each, instead of every byte (a system call costs
// about as much as copying 7 KiB). Where files are smaller, windows grow
// back to 64 KiB, the size whose copy is cheapest (it stays in the
// processor's cache). The debug count of the tags inside data needs every
// byte; the deep search looks inside data read with the window around them,
// and jumps over whole windows only. A window cut short by a read made for
// the fields before it (a folder's block between two files) says nothing
// about the sizes ahead: the next one keeps its length.
std::uint64_t CatalogueScanner::NextWindow(std::uint64_t windowEnd, bool cutShort)
{
    constexpr std::size_t kSmallWindow = 4096;
    constexpr std::uint64_t kWorthAJump = 8192;
    if (m_countCoveredTags || m_coveredEnd <= windowEnd) {
        if (!cutShort)
            m_windowLength = std::min(2 * m_windowLength, kScanWindowSize);
        return windowEnd;
    }
    if (m_deepEverywhere)
        return m_coveredEnd >= windowEnd + kScanWindowSize ? m_coveredEnd / kSlotSize * kSlotSize : windowEnd;
    // The slot the covered bytes end in is passed over as covered anyway.
    const std::uint64_t next = (m_coveredEnd + kSlotSize - 1) / kSlotSize * kSlotSize;
    m_windowLength = next - windowEnd >= kWorthAJump ? kSmallWindow : std::min(2 * m_windowLength, kScanWindowSize);
    return next;
}

// Told at the 64 KiB boundaries passed, however large the windows.
void CatalogueScanner::ReportProgress(std::uint64_t windowEnd)
{
    const std::uint64_t boundary = windowEnd / kScanWindowSize * kScanWindowSize;
    if (boundary <= m_reported)
        return;
    m_reported = boundary;
    m_sinks.progress.WindowScanned(boundary, m_fileSize);
}

void CatalogueScanner::Finish()
{
    m_report.offGridBlocks += m_offGrid.BlocksFound();
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

// Every slot, the last partial one too when it can hold a tag.
bool CatalogueScanner::ScanSlots(const std::uint8_t* window, std::size_t length)
{
    const std::uint64_t base = m_bytes.PositionOf(window);
    const std::size_t slots = (length + kSlotSize - 1) / kSlotSize;
    for (std::size_t slot = 0; slot < slots; ++slot) {
        if (!m_running.load(std::memory_order_relaxed))
            return false;
        const std::size_t start = slot * kSlotSize;
        if (base + start < m_coveredEnd) {
            slot = SkipCovered(window, length, slot, slots) - 1;
            continue;
        }
        // Each slot is guarded as a whole: a failure abandons this slot only, and is counted.
        bool verifiedBlock = false;
        try {
            if (length - start >= 4)
                verifiedBlock = HandleSlot(base + start, window + start);
        } catch (const std::exception&) {
            ++m_report.abandonedSlots;
        }
        const std::size_t end = std::min(length, start + kSlotSize);
        if (!verifiedBlock)
            m_hint.SlotWithoutBlock(base + start, ByteView(window + start, end - start));
        if (m_deepEverywhere)
            SearchOffGrid(window, length, start + 1, end);
        else if (!verifiedBlock)
            SearchUncovered(window, length, start);
        m_searchedTo = std::max(m_searchedTo, base + end);
    }
    return true;
}

// A slot that holds no block and that no block covers: the bytes after the
// last block's extent up to the slot's end may hold blocks off the grid (a
// backup that gained or lost bytes). An intact backup has no such slot, so
// the default scan searches only where a shift or damage left bytes that
// nothing accounts for. The extent may end in the slot before, out of the window.
void CatalogueScanner::SearchUncovered(const std::uint8_t* window, std::size_t length, std::size_t start)
{
    const std::uint64_t base = m_bytes.PositionOf(window);
    const std::uint64_t from = std::max(m_searchedTo, m_coveredEnd);
    const std::size_t end = std::min(length, start + kSlotSize);
    if (from < base)
        SearchBeforeWindow(from, base);
    const std::uint64_t inWindow = std::max(from, base) - base;
    if (inWindow < end)
        SearchOffGrid(window, length, static_cast<std::size_t>(inWindow), end);
}

// The few bytes between `from` and the window, copied: finding a block
// fetches its fields, which may replace the bytes a fetch returned.
void CatalogueScanner::SearchBeforeWindow(std::uint64_t from, std::uint64_t windowPosition)
{
    const std::uint64_t slot = std::max(from / kSlotSize * kSlotSize, windowPosition - kSlotSize);
    std::uint8_t bytes[kSlotSize];
    const ByteView fetched = m_bytes.Fetch(slot, static_cast<std::size_t>(windowPosition - slot));
    std::copy(fetched.data(), fetched.data() + fetched.size(), bytes);
    m_offGrid.Search(ByteView(bytes, fetched.size()), slot, static_cast<std::size_t>(std::max(from, slot) - slot),
                     fetched.size());
}

// Jumps over the slots a block covers; returns the first slot after them.
std::size_t CatalogueScanner::SkipCovered(const std::uint8_t* window, std::size_t length, std::size_t slot,
                                          std::size_t slots)
{
    const std::uint64_t base = m_bytes.PositionOf(window);
    const std::size_t next =
        static_cast<std::size_t>(std::min<std::uint64_t>(slots, (m_coveredEnd - base + kSlotSize - 1) / kSlotSize));
    if (m_countCoveredTags) {
        for (std::size_t at = slot; at < next; ++at) {
            const std::size_t start = at * kSlotSize;
            const int type = length - start >= 4 ? FindBlockTag(window + start) : kUnknownTag;
            m_report.coveredTags += type == kSset || type == kDirb || type == kFile;
        }
    }
    if (m_deepEverywhere)
        SearchOffGrid(window, length, slot * kSlotSize + 1, std::min(length, next * kSlotSize));
    return next;
}

void CatalogueScanner::SearchOffGrid(const std::uint8_t* window, std::size_t length, std::size_t from,
                                     std::size_t to)
{
    m_offGrid.Search(ByteView(window, length), m_bytes.PositionOf(window), from, to);
}

// A block off the grid is guarded like a slot: a failure abandons it only, and is counted.
void CatalogueScanner::HandleFoundBlock(std::uint64_t block, int type)
{
    try {
        HandleBlock(block, type);
    } catch (const std::exception&) {
        ++m_report.abandonedSlots;
    }
}

// True when the slot holds a block whose checksum holds.
bool CatalogueScanner::HandleSlot(std::uint64_t block, const std::uint8_t* tag)
{
    const int type = FindBlockTag(tag);
    return type >= 0 && HandleBlock(block, type);
}

// A block whose checksum holds covers its streams; one that covers nothing
// and names nothing tells the scan only that a block is there. True when the
// block's checksum holds.
bool CatalogueScanner::HandleBlock(std::uint64_t block, int type)
{
    const bool verified = BlockVerified(block);
    if (verified && m_held && block > m_held->offset)
        ReleaseHeldRow(block);
    const bool named = type == kSset || type == kDirb || type == kFile;
    if (!named && !verified) {
        m_hint.BlockSeen(block, block + kSlotSize);
        return false;
    }
    const StreamChain chain(m_fetch, block, m_fileSize);
    const auto covered = verified ? CoveredEnd(m_fetch, block, chain, m_fileSize) : std::nullopt;
    m_hint.BlockSeen(block, std::max(block + kSlotSize, chain.Holds() ? chain.End() : 0));
    if (covered)
        Cover(block, *covered);
    if (verified && type != kSset)
        m_witness.BlockFound(block, covered.value_or(block + kSlotSize));
    switch (type) {
    case kSset: HandleSset(block); break;
    case kDirb: HandleDirb(block, chain); break;
    case kFile: HandleFile(block, verified, chain); break;
    case kEset: // only blocks whose checksum holds get here
        m_setEnded = true;
        WeighSetCatalogue(block, chain);
        break;
    case kSfmb: m_setEnded = true; break;
    default: break;
    }
    return verified;
}

// A DIRB or FILE after the end of a set, or one whose directory ID starts
// again at 1, begins a set whose set block was lost: it gets a set folder of
// its own, so that neither its files nor its directory IDs mix with the set before.
void CatalogueScanner::FollowSet(std::uint64_t block, int type)
{
    if (m_setEnded || m_folderIds.StartsAgain(BlockField32(block, kDirectoryId), type == kDirb))
        StartLostSet();
    m_setHasEntries = true;
}

// Before the first set, the files keep the folder "BACKUP SET 0".
void CatalogueScanner::StartLostSet()
{
    m_setEnded = false;
    if (m_setNumber == 0 && !m_setHasEntries)
        return;
    m_lostHold.Release();
    ++m_setNumber;
    m_setFolder = "BACKUP SET " + std::to_string(m_setNumber) + "(set block lost)";
    m_folderIds.SetStarted();
    m_report.lostSets.push_back(LostSet{m_setFolder, 0});
    m_inLostSet = true;
    m_witness.SetStarted(std::nullopt);
    m_catalogueRead = false;
}

void CatalogueScanner::Cover(std::uint64_t block, std::uint64_t end)
{
    m_coveredEnd = std::max(m_coveredEnd, end);
    m_offGrid.Covered(block, end);
}

std::uint16_t CatalogueScanner::BlockField16(std::uint64_t block, std::size_t field)
{
    return m_bytes.Fetch(block + field, 2).Le16(0).value_or(0);
}

std::uint32_t CatalogueScanner::BlockField32(std::uint64_t block, std::size_t field)
{
    return m_bytes.Fetch(block + field, 4).Le32(0).value_or(0);
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
    m_lostHold.Release();
    ++m_setNumber;
    m_setFolder = "BACKUP SET " + std::to_string(m_setNumber) + "(" + label + ")";
    m_folderIds.SetStarted();
    m_setEnded = false;
    m_setHasEntries = false;
    m_inLostSet = false;
    m_witness.SetStarted(block);
    m_catalogueRead = false;
}

// The current directory always starts and ends with "\"; an empty one is
// the root. A name whose last component lacks its closing NUL would
// otherwise run into the file names after it.
std::string& CatalogueScanner::NormalizedDirectory()
{
    if (m_currentDirectory.empty())
        m_currentDirectory = "\\";
    if (m_currentDirectory.front() != '\\')
        m_currentDirectory.insert(m_currentDirectory.begin(), '\\');
    if (m_currentDirectory.back() != '\\')
        m_currentDirectory.push_back('\\');
    return m_currentDirectory;
}

std::string CatalogueScanner::LostFolder()
{
    return "\\lost dir" + std::to_string(m_lostDirectories++) + "\\";
}

void CatalogueScanner::HandleDirb(std::uint64_t block, const StreamChain& chain)
{
    FollowSet(block, kDirb);
    m_currentDirectory = EntryName(block, NameFieldOf(block, kDirbNameSize, kDirbNameOffset), m_limits.directoryName,
                                   kPathStreamTag, chain);
    CollapseSeparators(m_currentDirectory); // an empty component is a doubled NUL
    m_currentLost = !IsCleanName(m_currentDirectory);
    std::string unusable;
    if (m_currentLost) {
        unusable = m_currentDirectory;
        m_currentDirectory = LostFolder();
    }
    m_folderIds.FolderSeen(BlockField32(block, kDirectoryId), NormalizedDirectory());
    m_witness.FolderFound(block, m_currentDirectory, m_currentLost);
    const std::string path = "BKF\\" + m_setFolder + m_currentDirectory;
    const std::uint64_t modified = PackedMtfDate(m_bytes.Fetch(block, kModificationDate + 5), kModificationDate);
    // The set's catalogue may name a lost folder: its block waits with its files.
    if (m_currentLost) {
        const LostPlace place{path.size() - m_currentDirectory.size(), m_currentDirectory.size(), false};
        m_lostHold.Folder(path, place, modified, BlockVerified(block),
                          unusable + " -> " + m_currentDirectory.substr(1));
        return;
    }
    // A path that is too long is not added; its files are dropped by the same test.
    if (!m_limits.Fits(path))
        return;
    m_sinks.folders.AddPath(path);
    if (m_sinks.folderDates)
        m_sinks.folderDates->FolderDated(path, modified);
}

// A name kept in the block's stream is taken from there.
std::string CatalogueScanner::EntryName(std::uint64_t block, const NameField& field, std::size_t limit,
                                        const char* streamTag, const StreamChain& chain)
{
    if (auto name = StreamedName(m_fetch, block, chain, streamTag, limit))
        return *name;
    return ReadName(block, field, limit, true);
}

bool CatalogueScanner::BlockVerified(std::uint64_t block)
{
    return BlockChecksumHolds(m_bytes.Fetch(block, kCommonHeaderSize));
}

// A field cut by the end of the backup (a block in its last, partial slot) names nothing.
NameField CatalogueScanner::NameFieldOf(std::uint64_t block, std::size_t sizeField, std::size_t offsetField)
{
    if (m_bytes.Fetch(block + offsetField, 2).size() < 2)
        return NameField{};
    return NameField{BlockField16(block, offsetField), BlockField16(block, sizeField)};
}

// The first "STAN" within 512 bytes of the block start, for a block whose
// chain broke before its data stream: from where the chain broke, or from the
// start when its first header fails. A match inside the block's own name
// field (U+5453 U+4E41 spell "STAN") is not a stream header.
std::optional<std::uint64_t> CatalogueScanner::SearchStandardStream(std::uint64_t block, const NameField& name,
                                                                    const StreamChain& chain)
{
    const std::uint64_t from = chain.Holds() ? chain.End() - block : 0;
    if (from >= kStreamSearchSpan)
        return std::nullopt;
    const ByteView area = m_bytes.Fetch(block, kStreamSearchSpan + kStreamHeaderSize);
    for (auto match = area.Find4(kStandardStreamTag, static_cast<std::size_t>(from), kStreamSearchSpan); match;
         match = area.Find4(kStandardStreamTag, *match + 1, kStreamSearchSpan)) {
        if (!name.Overlaps(*match, 4))
            return block + *match;
    }
    return std::nullopt;
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

// The chain's first data stream whose header holds; the search only where
// the chain broke before one (a security stream's SID can spell "STAN").
// `checksumLost` tells whether its data say a checksum follows and none does.
bool CatalogueScanner::LocateStream(std::uint64_t block, const NameField& name, const StreamChain& chain,
                                    CatalogueRow& row, bool& checksumLost)
{
    auto header = chain.Find(kStandardStreamTag);
    if (!header)
        header = SearchStandardStream(block, name, chain);
    if (!header || !ReadStreamLength(*header, row))
        return false;
    m_hint.DataSeen(row.offset, row.size);
    // The read at the end of these data takes in their checksum and pad and
    // the next block's headers, which are likely as long as this block's.
    const std::uint64_t headers = std::min<std::uint64_t>(row.offset - block, 16 * kSlotSize);
    m_bytes.SetFieldRead(kSlotSize + 64 + static_cast<std::size_t>(headers));
    const RecordedChecksum recorded = RecordedDataChecksum(m_fetch, block, *header, m_fileSize);
    row.checksum = recorded.value;
    checksumLost = recorded.Lost();
    return true;
}

// The folder of the file at `block`: by its directory ID where the set keeps
// them, the current directory otherwise. `lost` tells whether it is a lost one.
const std::string* CatalogueScanner::FolderOf(std::uint64_t block, bool& lost)
{
    const FolderIds::Placement placement = m_folderIds.Place(BlockField32(block, kDirectoryId));
    lost = placement.kind == FolderIds::Kind::Lost || (placement.kind == FolderIds::Kind::ByOrder && m_currentLost);
    if (placement.kind == FolderIds::Kind::ByOrder)
        return &NormalizedDirectory();
    if (placement.folder)
        return placement.folder;
    return m_folderIds.LostFolderMade(BlockField32(block, kDirectoryId), LostFolder());
}

// Where the lost folder `folder` lies in the path just formed for the file `name`.
LostPlace CatalogueScanner::LostPlaceOf(const std::string& folder, std::string_view name) const
{
    return LostPlace{m_path.size() - name.size() - folder.size(), folder.size(), &folder != &m_currentDirectory};
}

bool CatalogueScanner::RunsPastEnd(const CatalogueRow& row) const
{
    return row.located && row.size > m_fileSize - std::min(m_fileSize, row.offset);
}

// A file block's name, without the separators its NUL units became.
std::string CatalogueScanner::FileName(std::uint64_t block, const NameField& field, const StreamChain& chain)
{
    std::string name = EntryName(block, field, kEntryNameLimit, kFileNameStreamTag, chain);
    if (!name.empty() && name.front() == '\\')
        name.erase(name.begin());
    CollapseSeparators(name); // NUL units inside the name
    if (!name.empty() && name.back() == '\\')
        name.pop_back(); // a name ending in a NUL unit
    return name;
}

// The name of a file found earlier, read again for the set's catalogue.
std::optional<std::string> CatalogueScanner::FileNameAgain(std::uint64_t block)
{
    const StreamChain chain(m_fetch, block, m_fileSize);
    std::string name = FileName(block, NameFieldOf(block, kFileNameSize, kFileNameOffset), chain);
    if (name.empty() || !IsCleanName(name))
        return std::nullopt;
    return name;
}

void CatalogueScanner::HandleFile(std::uint64_t block, bool verified, const StreamChain& chain)
{
    const NameField field = NameFieldOf(block, kFileNameSize, kFileNameOffset);
    const std::string name = FileName(block, field, chain);
    if (name.empty()) {
        m_report.emptyFileNames.Add(verified, "at byte " + std::to_string(block));
        return;
    }
    if (!IsCleanName(name)) {
        m_report.unusableFileNames.Add(verified, name);
        return;
    }
    FollowSet(block, kFile);
    bool lost = false;
    const std::string* folder = FolderOf(block, lost);
    m_path.assign("BKF\\").append(m_setFolder).append(*folder).append(name);
    if (!m_limits.Fits(m_path)) {
        m_report.longFilePaths.Add(verified, m_path);
        return;
    }
    // A file in a lost folder is counted once its set's catalogue had its say.
    if (folder != &m_currentDirectory && !lost)
        m_report.placedById.Add("\"" + m_path + "\"");
    if (m_inLostSet)
        ++m_report.lostSets.back().files;

    CatalogueRow row;
    row.path = m_path;
    row.verified = verified;
    row.modified = PackedMtfDate(m_bytes.Fetch(block, kModificationDate + 5), kModificationDate);
    bool checksumLost = false;
    const bool located = LocateStream(block, field, chain, row, checksumLost);
    m_witness.FileFound(block, *folder, name, lost);
    if (!verified)
        m_witness.BlockFound(block, located && !RunsPastEnd(row) ? row.offset + row.size : block + kSlotSize);
    row.status = !located         ? RowStatus::NoData
        : RunsPastEnd(row)   ? RowStatus::CutShort
        : checksumLost       ? RowStatus::ChecksumLost
        : lost               ? RowStatus::FolderLost
        : row.checksum       ? RowStatus::NotChecked
                             : RowStatus::NoChecksum;
    // Rows stay in file order: a row held before this one comes first.
    if (m_held)
        ReleaseHeldRow(std::nullopt);
    if (row.status == RowStatus::CutShort) {
        // Its row waits for the next block: the data end where it begins.
        m_heldPath = m_path;
        m_held = row;
        m_heldPlace = lost ? LostPlaceOf(*folder, name) : LostPlace{};
    } else if (lost) {
        m_lostHold.Row(row, LostPlaceOf(*folder, name));
    } else {
        m_lostHold.Row(row);
    }
    if (located)
        m_sinks.progress.FileCountChanged(++m_filesFound);
}

// The held row, its data ending at `nextBlock` when a block whose checksum
// holds begins after its data start, at the end of the backup otherwise.
void CatalogueScanner::ReleaseHeldRow(std::optional<std::uint64_t> nextBlock)
{
    CatalogueRow row = *m_held;
    m_held.reset();
    row.path = m_heldPath;
    const std::uint64_t end = std::min(m_fileSize, nextBlock.value_or(m_fileSize));
    row.dataLimit = end; // the state's detail tells the bytes before it
    m_report.cutShort.Add("\"" + m_heldPath + "\" (" + CutShortText(end - std::min(end, row.offset), row.size) + ")");
    m_lostHold.Row(row, m_heldPlace);
}

// The set's own catalogue, from the first ESET's stream or, where that
// block was lost, from the stream header the second one names. Read once a set.
void CatalogueScanner::WeighSetCatalogue(std::uint64_t eset, const StreamChain& chain)
{
    namespace Format = SetCatalogueFormat;
    if (m_catalogueRead)
        return;
    const std::string set = "\"BKF\\" + m_setFolder + "\"";
    if (chain.Find(Format::kDetailStreamTag2) || chain.Find(Format::kSetMapStreamTag2)) {
        m_catalogueRead = true;
        m_report.setCatalogueNotes.push_back(set + ": its catalogue is of the second type (FDD2, MAP2): not read");
        m_lostHold.Release();
        return;
    }
    const auto header = DetailHeaderAt(eset, chain);
    if (!header)
        return;
    m_catalogueRead = true;
    if (!m_witness.RoomLeft()) {
        m_lostHold.Release();
        return; // where the blocks account for every byte, it has nothing to add
    }
    const std::uint64_t start = *header + kStreamHeaderSize;
    const std::uint64_t length = std::min(m_fetch(*header + kStreamLength, 8).Le64(0).value_or(0),
                                          m_fileSize - std::min(m_fileSize, start));
    const SetCatalogue catalogue = ReadSetCatalogue(m_fetch, start, length, m_limits.directoryName);
    for (const std::string& problem : catalogue.problems)
        m_report.setCatalogueNotes.push_back(set + ": " + problem);
    const WitnessVerdict verdict = m_witness.Weigh(catalogue);
    m_lostHold.Release(verdict.namedFolders);
    if (!verdict.used) {
        m_report.setCatalogueNotes.push_back(set + ": the set's catalogue does not match its blocks: not used");
        return;
    }
    ++m_report.setCataloguesUsed;
    for (const CatalogueAddition& file : verdict.additions)
        AddCatalogueRow(file);
}

// The catalogue's stream header: the ESET's first event, or the one whose
// slot number a second ESET holds (before it, its checksum holding).
std::optional<std::uint64_t> CatalogueScanner::DetailHeaderAt(std::uint64_t eset, const StreamChain& chain)
{
    namespace Format = SetCatalogueFormat;
    if (const auto header = chain.Find(Format::kDetailStreamTag))
        return header;
    const std::uint64_t slot = m_fetch(eset + Format::kEsetDetailSlot, 8).Le64(0).value_or(0);
    if (slot == 0 || slot >= eset / kSlotSize)
        return std::nullopt;
    const ByteView header = m_fetch(slot * kSlotSize, kStreamHeaderSize);
    if (!StreamChecksumHolds(header) || std::memcmp(header.data(), Format::kDetailStreamTag, 4) != 0)
        return std::nullopt;
    return slot * kSlotSize;
}

// A file the catalogue names and the blocks did not give: listed with its
// data where they were found, else as "not found" (nothing to save).
void CatalogueScanner::AddCatalogueRow(const CatalogueAddition& file)
{
    m_path.assign("BKF\\").append(m_setFolder).append(file.folder).append(file.name);
    if (!m_limits.Fits(m_path))
        return;
    CatalogueRow row;
    row.path = m_path;
    row.located = file.located;
    row.size = file.located || file.size <= m_fileSize ? file.size : 0;
    row.offset = file.offset;
    row.modified = file.modified;
    row.checksum = file.checksum;
    row.status = file.located ? RowStatus::FromCatalogue : RowStatus::NotFound;
    if (file.located) {
        m_report.fromSetCatalogue.Add("\"" + m_path + "\"");
        m_hint.DataFoundLater(file.offset, file.size);
    } else {
        m_report.notFoundInSetCatalogue.Add(m_path);
    }
    m_sinks.catalogue.AddRow(row);
    if (file.located)
        m_sinks.progress.FileCountChanged(++m_filesFound);
}

} // namespace

bool ScanCatalogue(const BkfFileHandle& file, const std::atomic<bool>& running, const ScanSinks& sinks,
                   ScanReport& report, const ScanOptions& options)
{
    const auto size = file.Size();
    if (!size)
        return true; // nothing can be examined
    report.pathLimit = PathLimits{}.path;
    report.deep = options.deep;
    report.backupSize = *size;
    CatalogueScanner scanner(file, *size, running, sinks, report, options);
    return scanner.Run();
}

bool ScanCatalogue(const BkfFileHandle& file, const std::atomic<bool>& running, const ScanSinks& sinks)
{
    ScanReport report;
    return ScanCatalogue(file, running, sinks, report);
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
