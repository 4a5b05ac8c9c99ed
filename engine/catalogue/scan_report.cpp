// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_report.h"

#include "human_units.h"
#include "utf8.h"

#include <algorithm>

void PassedOverBlocks::Add(bool blockVerified, std::string_view example)
{
    ++(blockVerified ? verified : unverified);
    // Verified blocks are the real losses: they stand before the others.
    if (blockVerified && m_verifiedExamples < kExampleLimit)
        examples.insert(examples.begin() + static_cast<std::ptrdiff_t>(m_verifiedExamples++), PrintableName(example));
    else if (!blockVerified && examples.size() - m_verifiedExamples < kUnverifiedExampleLimit)
        examples.push_back(PrintableName(example));
}

void NotedFiles::Add(std::string_view example)
{
    ++count;
    if (examples.size() < kExampleLimit)
        examples.push_back(PrintableName(example));
}

std::uint64_t ScanReport::VerifiedFilesPassedOver() const
{
    return emptyFileNames.verified + unusableFileNames.verified + longFilePaths.verified;
}

bool ScanReport::FilesMayBeMissing() const
{
    return VerifiedFilesPassedOver() > 0 || !lostSets.empty() || !gaps.empty() || notFoundInSetCatalogue.count > 0
        || rowsNotAdded > 0 || abandonedSlots > 0;
}

bool ScanReport::Empty() const
{
    return emptyFileNames.Total() + unusableFileNames.Total() + longFilePaths.Total() + lostDirectories.Total()
               + longSetNames.Total() + cutShort.count + placedById.count + inLostFolder.count + rowsNotAdded
               + abandonedSlots + fromSetCatalogue.count + notFoundInSetCatalogue.count
               + foldersFromSetCatalogue.count
           == 0
        && unreadable.empty() && gaps.empty() && lostSets.empty();
}

namespace {

std::string Counted(std::uint64_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// The named ones a line each, and how many more there were.
void AddExamples(std::vector<std::string>& lines, const std::vector<std::string>& examples, std::uint64_t total,
                 bool quoted)
{
    for (const std::string& example : examples)
        lines.push_back(quoted ? "  \"" + example + "\"" : "  " + example);
    if (total > examples.size())
        lines.push_back("  and " + std::to_string(total - examples.size()) + " more");
}

void AddDetail(std::vector<std::string>& lines, const char* what, const PassedOverBlocks& blocks)
{
    if (blocks.Total() == 0)
        return;
    lines.push_back(std::string(what) + ": " + std::to_string(blocks.Total()) + " ("
                    + std::to_string(blocks.verified) + " with a valid checksum)");
    AddExamples(lines, blocks.examples, blocks.Total(), true);
}

void AddNoted(std::vector<std::string>& lines, const char* what, const NotedFiles& files)
{
    if (files.count == 0)
        return;
    lines.push_back(std::string(what) + ": " + std::to_string(files.count));
    AddExamples(lines, files.examples, files.count, false);
}

// The share of the backup that no block covers, in percent.
std::uint64_t UnreadPercent(std::uint64_t unread, std::uint64_t backupSize)
{
    const std::uint64_t size = std::max(backupSize, unread);
    // unread * 100 could overflow past 184 PB; divide first when it would.
    return size == 0 ? 0 : unread > UINT64_MAX / 100 ? unread / (size / 100) : unread * 100 / size;
}

// One part of the summary or the deep scan hint in English.
std::string PartText(const ReportPart& part)
{
    const std::uint64_t n = part.count;
    switch (part.finding) {
    case ReportFinding::kFileBlocksPassedOver:
        return Counted(n, "file block", "file blocks") + " passed over (" + std::to_string(part.verified)
               + " with a valid checksum)";
    case ReportFinding::kFoldersRenamed:
        return Counted(n, "folder", "folders") + " renamed \"lost dir\"";
    case ReportFinding::kFilesCutShort:
        return Counted(n, "file", "files") + " cut short";
    case ReportFinding::kSetBlocksLost:
        return Counted(n, "set block", "set blocks") + " lost";
    case ReportFinding::kFilesInLostFolder:
        return Counted(n, "file", "files") + " put into a lost folder";
    case ReportFinding::kFilesPlacedById:
        return Counted(n, "file", "files") + " placed by folder ID";
    case ReportFinding::kUnreadShare: // "9.2 MiB (47 %) of the backup hold no file that could be read"
        return HumanBytes(n) + " (" + std::to_string(part.percent) + " %) of the backup hold no file that could be read";
    case ReportFinding::kSetsWithLongNames:
        return Counted(n, "set", "sets") + " passed over for a long name";
    case ReportFinding::kUnreadableBytes:
        return Counted(n, "byte", "bytes") + " unreadable";
    case ReportFinding::kFilesNotListed:
        return Counted(n, "file", "files") + " found but not listed (out of memory)";
    case ReportFinding::kSlotsAbandoned:
        return Counted(n, "slot", "slots") + " abandoned after a failure";
    case ReportFinding::kNoBlockOnGrid:
        return "no block found on the 512-byte grid; a deep scan looks for blocks off the 512-byte grid";
    case ReportFinding::kFilesFromSetCatalogue:
        return Counted(n, "file", "files") + " found by the set's catalogue";
    case ReportFinding::kFilesNotFound:
        return Counted(n, "file", "files") + " named in the set's catalogue " + (n == 1 ? "was" : "were")
               + " not found";
    case ReportFinding::kFoldersFromSetCatalogue:
        return Counted(n, "folder", "folders") + " named by the set's catalogue";
    case ReportFinding::kBlocklessTail:
        return "no block found in the last " + Counted(n, "byte", "bytes")
               + "; a deep scan looks for blocks off the 512-byte grid";
    }
    return {};
}

} // namespace

std::string CutShortText(std::uint64_t inBackup, std::uint64_t size)
{
    return "cut short: " + std::to_string(inBackup) + " of " + std::to_string(size) + " bytes are in the backup";
}

std::vector<ReportPart> ScanReportSummaryParts(const ScanReport& report)
{
    std::vector<ReportPart> parts;
    const auto add = [&parts](ReportFinding finding, std::uint64_t count) {
        if (count > 0)
            parts.push_back(ReportPart{finding, count});
    };
    add(ReportFinding::kFileBlocksPassedOver,
        report.emptyFileNames.Total() + report.unusableFileNames.Total() + report.longFilePaths.Total());
    if (!parts.empty())
        parts.back().verified = report.VerifiedFilesPassedOver();
    add(ReportFinding::kFoldersRenamed, report.lostDirectories.Total());
    add(ReportFinding::kFilesCutShort, report.cutShort.count);
    add(ReportFinding::kSetBlocksLost, report.lostSets.size());
    add(ReportFinding::kFilesInLostFolder, report.inLostFolder.count);
    add(ReportFinding::kFilesPlacedById, report.placedById.count);
    if (!report.gaps.empty()) {
        const std::uint64_t unread = TotalLength(report.gaps);
        parts.push_back(ReportPart{ReportFinding::kUnreadShare, unread, 0, UnreadPercent(unread, report.backupSize)});
    }
    add(ReportFinding::kSetsWithLongNames, report.longSetNames.Total());
    add(ReportFinding::kUnreadableBytes, TotalLength(report.unreadable));
    add(ReportFinding::kFilesNotListed, report.rowsNotAdded);
    add(ReportFinding::kSlotsAbandoned, report.abandonedSlots);
    add(ReportFinding::kFilesFromSetCatalogue, report.fromSetCatalogue.count);
    add(ReportFinding::kFilesNotFound, report.notFoundInSetCatalogue.count);
    add(ReportFinding::kFoldersFromSetCatalogue, report.foldersFromSetCatalogue.count);
    return parts;
}

std::optional<ReportPart> DeepScanHintPart(const ScanReport& report)
{
    if (report.noBlocks)
        return ReportPart{ReportFinding::kNoBlockOnGrid};
    if (report.blocklessTail > 0)
        return ReportPart{ReportFinding::kBlocklessTail, report.blocklessTail};
    return std::nullopt;
}

std::string ScanReportSummary(const ScanReport& report)
{
    std::string summary;
    for (const ReportPart& part : ScanReportSummaryParts(report))
        summary.append(summary.empty() ? "" : ", ").append(PartText(part));
    return summary;
}

std::string DeepScanSuggestion(const ScanReport& report)
{
    const std::optional<ReportPart> hint = DeepScanHintPart(report);
    return hint ? PartText(*hint) : std::string();
}

std::vector<std::string> ScanReportDetails(const ScanReport& report)
{
    std::vector<std::string> lines;
    AddDetail(lines, "file blocks with an empty name", report.emptyFileNames);
    AddDetail(lines, "file blocks with an unusable name", report.unusableFileNames);
    const std::string longPaths = "file blocks with a path over " + std::to_string(report.pathLimit) + " characters";
    AddDetail(lines, longPaths.c_str(), report.longFilePaths);
    AddDetail(lines, "folders renamed \"lost dir\"", report.lostDirectories);
    AddDetail(lines, "set blocks with a name over 260 bytes", report.longSetNames);
    AddNoted(lines, "files the backup ends inside", report.cutShort);
    for (const LostSet& set : report.lostSets)
        lines.push_back("a set block was lost: " + Counted(set.files, "file", "files") + " put into \"BKF\\"
                        + PrintableName(set.folder) + "\"");
    AddNoted(lines, "files put into a lost folder because their folder's block was lost", report.inLostFolder);
    AddNoted(lines, "files placed in the folder their directory ID names", report.placedById);
    AddNoted(lines, "files whose block was lost, found where the set's catalogue placed them", report.fromSetCatalogue);
    AddNoted(lines, "folders whose block was lost, named by the set's catalogue", report.foldersFromSetCatalogue);
    const std::vector<std::string> notFound = NotFoundDetails(report);
    lines.insert(lines.end(), notFound.begin(), notFound.end());
    if (!report.gaps.empty())
        lines.push_back("ranges of 64 KiB or more that hold no file that could be read: " + RangesText(report.gaps));
    if (!report.unreadable.empty())
        lines.push_back("unreadable bytes of the backup (written as zeros): " + RangesText(report.unreadable)
                        + (report.readError.empty() ? "" : " (" + report.readError + ")"));
    return lines;
}

std::vector<std::string> NotFoundDetails(const ScanReport& report)
{
    std::vector<std::string> lines;
    if (report.notFoundInSetCatalogue.count == 0)
        return lines;
    lines.push_back(PartText(ReportPart{ReportFinding::kFilesNotFound, report.notFoundInSetCatalogue.count}) + ":");
    AddExamples(lines, report.notFoundInSetCatalogue.examples, report.notFoundInSetCatalogue.count, true);
    return lines;
}

std::string PrintableName(std::string_view text)
{
    std::string printable;
    printable.reserve(text.size());
    std::size_t index = 0;
    while (index < text.size()) {
        const std::size_t start = index;
        const auto codePoint = NextCodePoint(text, index);
        if (!codePoint) {
            index = start + 1;
            AppendUtf8(printable, 0xFFFD);
        } else if (*codePoint < 0x20 || (*codePoint >= 0x7F && *codePoint <= 0x9F)
                   || (*codePoint >= 0xD800 && *codePoint <= 0xDFFF)) {
            AppendUtf8(printable, 0xFFFD);
        } else {
            printable.append(text.substr(start, index - start));
        }
    }
    return printable;
}
