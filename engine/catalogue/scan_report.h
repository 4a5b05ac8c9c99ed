// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a scan passed over or found damaged, so that nothing is lost without
// a word: blocks whose names or paths could not be used, folders renamed
// "lost dir", files placed by their folder's ID or cut short, ranges without
// blocks and the ranges of the backup that could not be read. Filled by the
// scan, read by whoever shows the end of the scan.

#include "byte_range.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Blocks of one kind passed over for one reason. A block is "verified" when
// its common header checksum holds: a tag met inside file data or a
// catalogue stream is almost never a real block, and its checksum fails.
struct PassedOverBlocks {
    // Every verified block is named, up to a bound that keeps a report of
    // garbage in memory; blocks whose checksum fails are mostly tags met
    // inside data, and a few of them say enough.
    static constexpr std::size_t kExampleLimit = 100000;
    static constexpr std::size_t kUnverifiedExampleLimit = 5;

    std::uint64_t verified = 0;
    std::uint64_t unverified = 0;
    // Names or paths in printable form: those of verified blocks first.
    std::vector<std::string> examples;

    void Add(bool blockVerified, std::string_view example);
    std::uint64_t Total() const { return verified + unverified; }

private:
    std::size_t m_verifiedExamples = 0;
};

// Files the scan listed with something to say about them.
struct NotedFiles {
    static constexpr std::size_t kExampleLimit = 100000;

    std::uint64_t count = 0;
    std::vector<std::string> examples; // every one up to the limit, in printable form

    void Add(std::string_view example);
};

// A set whose set block was lost: its blocks followed the end of another
// set, and its files went into a set folder of their own.
struct LostSet {
    std::string folder; // "BACKUP SET 2(set block lost)"
    std::uint64_t files = 0;
};

struct ScanReport {
    PassedOverBlocks emptyFileNames;    // FILE blocks whose name is empty
    PassedOverBlocks unusableFileNames; // FILE blocks whose name was refused
    PassedOverBlocks longFilePaths;     // FILE blocks whose path is over the limit
    PassedOverBlocks lostDirectories;   // DIRB names replaced by "lost dir"
    PassedOverBlocks longSetNames;      // SSET blocks whose name is over 260 bytes
    NotedFiles cutShort;                // files whose data run past the end of the backup
    NotedFiles placedById;              // files placed in their folder by its directory ID
    NotedFiles inLostFolder;            // files put into a "lost dir" because their folder's block was lost
    std::vector<LostSet> lostSets;      // in the order the scan met them
    // Sets' own catalogues: files whose block was lost and whose data were
    // found where the catalogue placed them; files named there whose data
    // were not found; what did not hold in a catalogue, and why one was not
    // used (for the verbose report).
    NotedFiles fromSetCatalogue;
    NotedFiles notFoundInSetCatalogue;
    NotedFiles foldersFromSetCatalogue; // lost folders the set's catalogue named: their paths
    std::vector<std::string> setCatalogueNotes;
    std::uint64_t setCataloguesUsed = 0;
    // Ranges of 64 KiB or more that no block covers, searched off the grid,
    // holding bytes other than zeros: files were probably lost there.
    std::vector<ByteRange> gaps;
    std::uint64_t coveredTags = 0;      // block tags taken as data inside the bytes a block covers
    bool deep = false;                  // the scan also looked off the 512-byte grid
    std::vector<ByteRange> unreadable;  // backup ranges that read as zeros
    std::string readError;              // the system's words for the first unreadable range
    // Hints that blocks may lie off the 512-byte grid (set by the default
    // scan only): no block at all in a file that is not empty, or the bytes
    // at the end after the last block and the last file's data.
    bool noBlocks = false;
    std::uint64_t blocklessTail = 0;
    std::uint64_t offGridBlocks = 0; // blocks the deep scan found off the grid
    std::size_t pathLimit = 1024;    // characters of a catalogue path the scan kept
    std::uint64_t rowsNotAdded = 0;  // rows the catalogue could not take (memory ran out)
    // Slots (and blocks off the grid) whose reading failed part-way (memory
    // ran out, or a listener refused): the scan went on after them.
    std::uint64_t abandonedSlots = 0;
    std::uint64_t backupSize = 0;    // bytes of the backup scanned

    // FILE blocks whose checksum held and whose file is not in the catalogue.
    std::uint64_t VerifiedFilesPassedOver() const;
    // True when files were probably lost or misplaced: a save of everything
    // listed is then not the whole backup.
    bool FilesMayBeMissing() const;
    // True when the report has nothing to say.
    bool Empty() const;
};

// What the summary line names, in its order; a window words them itself.
enum class ReportFinding {
    kFileBlocksPassedOver, // count, and `verified` of them with a valid checksum
    kFoldersRenamed,
    kFilesCutShort,
    kSetBlocksLost,
    kFilesInLostFolder,
    kFilesPlacedById,
    kUnreadShare, // count bytes, `percent` of the backup
    kSetsWithLongNames,
    kUnreadableBytes,
    kFilesNotListed,
    kNoBlockOnGrid, // the deep scan hints: no count
    kBlocklessTail, // count bytes at the end
    kFilesFromSetCatalogue,
    kFilesNotFound, // named in a set's catalogue
    kSlotsAbandoned,
    kFoldersFromSetCatalogue,
};
struct ReportPart {
    ReportFinding finding;
    std::uint64_t count = 0;
    std::uint64_t verified = 0;
    std::uint64_t percent = 0;
};
// The parts of the summary line, none when the scan passed over nothing.
std::vector<ReportPart> ScanReportSummaryParts(const ScanReport& report);
// The hint that a deep scan may find more, if the scan gives one.
std::optional<ReportPart> DeepScanHintPart(const ScanReport& report);

// One line saying what the scan passed over, or "" when nothing was.
std::string ScanReportSummary(const ScanReport& report);
// Why a deep scan may find more, or "" when the scan gives no such hint.
std::string DeepScanSuggestion(const ScanReport& report);
// "cut short: N of M bytes are in the backup".
std::string CutShortText(std::uint64_t inBackup, std::uint64_t size);
// Per kind of loss a line with its count, then a line per file or block
// ("  " before each), so that a report names every one.
std::vector<std::string> ScanReportDetails(const ScanReport& report);

// The files a set's catalogue names that were not found, every one: a
// line with their count, then a line per file. Said even without the details.
std::vector<std::string> NotFoundDetails(const ScanReport& report);

// `text` with control characters, malformed sequences and unpaired
// surrogates shown as U+FFFD, so that a damaged name can be printed safely.
std::string PrintableName(std::string_view text);
