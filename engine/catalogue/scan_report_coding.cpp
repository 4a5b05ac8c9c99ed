// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_report_coding.h"

namespace {

constexpr std::size_t kTextLimit = 1u << 16;
constexpr std::uint64_t kListLimit = 1u << 24;

// A text of the report, as the scan keeps them: printable, so that a crafted
// cache cannot send escape sequences or forged lines to a terminal.
std::string DecodePrintable(CacheDecoder& in)
{
    std::string text(in.Text(kTextLimit));
    if (PrintableName(text) != text)
        in.Fail();
    return text;
}

void EncodeExamples(CacheEncoder& out, const std::vector<std::string>& examples)
{
    out.Varint(examples.size());
    for (const std::string& example : examples)
        out.Text(example);
}

void DecodeExamples(CacheDecoder& in, std::vector<std::string>& examples)
{
    const std::uint64_t count = in.Varint();
    for (std::uint64_t i = 0; i < count && i < 64 && !in.Failed(); ++i)
        examples.push_back(DecodePrintable(in));
    if (count > 64)
        in.Fail();
}

void EncodeRanges(CacheEncoder& out, const std::vector<ByteRange>& ranges)
{
    out.Varint(ranges.size());
    for (const ByteRange& range : ranges) {
        out.Varint(range.offset);
        out.Varint(range.length);
    }
}

void DecodeRanges(CacheDecoder& in, std::vector<ByteRange>& ranges)
{
    const std::uint64_t count = in.Varint();
    for (std::uint64_t i = 0; i < count && i < kListLimit && !in.Failed(); ++i) {
        const std::uint64_t offset = in.Varint();
        ranges.push_back(ByteRange{offset, in.Varint()});
    }
}

void EncodeBlocks(CacheEncoder& out, const PassedOverBlocks& blocks)
{
    out.Varint(blocks.verified);
    out.Varint(blocks.unverified);
    EncodeExamples(out, blocks.examples);
}

void DecodeBlocks(CacheDecoder& in, PassedOverBlocks& blocks)
{
    blocks.verified = in.Varint();
    blocks.unverified = in.Varint();
    DecodeExamples(in, blocks.examples);
}

void EncodeNoted(CacheEncoder& out, const NotedFiles& files)
{
    out.Varint(files.count);
    EncodeExamples(out, files.examples);
}

void DecodeNoted(CacheDecoder& in, NotedFiles& files)
{
    files.count = in.Varint();
    DecodeExamples(in, files.examples);
}

void EncodeLostSets(CacheEncoder& out, const std::vector<LostSet>& sets)
{
    out.Varint(sets.size());
    for (const LostSet& set : sets) {
        out.Text(set.folder);
        out.Varint(set.files);
    }
}

void DecodeLostSets(CacheDecoder& in, std::vector<LostSet>& sets)
{
    const std::uint64_t count = in.Varint();
    for (std::uint64_t i = 0; i < count && i < kListLimit && !in.Failed(); ++i) {
        std::string folder(in.Text(kTextLimit));
        sets.push_back(LostSet{std::move(folder), in.Varint()});
    }
}

} // namespace

void EncodeScanReport(CacheEncoder& out, const ScanReport& report)
{
    for (const PassedOverBlocks* blocks : {&report.emptyFileNames, &report.unusableFileNames, &report.longFilePaths,
                                           &report.lostDirectories, &report.longSetNames})
        EncodeBlocks(out, *blocks);
    for (const NotedFiles* files : {&report.cutShort, &report.placedById, &report.inLostFolder,
                                    &report.fromSetCatalogue, &report.notFoundInSetCatalogue,
                                    &report.foldersFromSetCatalogue})
        EncodeNoted(out, *files);
    EncodeExamples(out, report.setCatalogueNotes);
    out.Varint(report.setCataloguesUsed);
    EncodeRanges(out, report.gaps);
    out.Varint(report.coveredTags);
    out.Byte(report.deep ? 1 : 0);
    EncodeRanges(out, report.unreadable);
    out.Text(report.readError);
    out.Byte(report.noBlocks ? 1 : 0);
    out.Varint(report.blocklessTail);
    out.Varint(report.offGridBlocks);
    out.Varint(report.pathLimit);
    EncodeLostSets(out, report.lostSets);
    out.Varint(report.backupSize);
    out.Varint(report.abandonedSlots);
}

bool DecodeScanReport(CacheDecoder& in, ScanReport& report)
{
    for (PassedOverBlocks* blocks : {&report.emptyFileNames, &report.unusableFileNames, &report.longFilePaths,
                                     &report.lostDirectories, &report.longSetNames})
        DecodeBlocks(in, *blocks);
    for (NotedFiles* files : {&report.cutShort, &report.placedById, &report.inLostFolder, &report.fromSetCatalogue,
                              &report.notFoundInSetCatalogue, &report.foldersFromSetCatalogue})
        DecodeNoted(in, *files);
    DecodeExamples(in, report.setCatalogueNotes);
    report.setCataloguesUsed = in.Varint();
    DecodeRanges(in, report.gaps);
    report.coveredTags = in.Varint();
    report.deep = in.Byte() != 0;
    DecodeRanges(in, report.unreadable);
    report.readError = DecodePrintable(in);
    report.noBlocks = in.Byte() != 0;
    report.blocklessTail = in.Varint();
    report.offGridBlocks = in.Varint();
    report.pathLimit = static_cast<std::size_t>(in.Varint());
    DecodeLostSets(in, report.lostSets);
    report.backupSize = in.Varint();
    report.abandonedSlots = in.Varint();
    return !in.Failed();
}
