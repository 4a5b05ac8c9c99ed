// SPDX-License-Identifier: GPL-3.0-or-later
#include "set_catalogue_witness.h"

#include "block_format.h"
#include "checksum_stream.h"
#include "data_checksum.h"
#include "set_catalogue_format.h"

#include <algorithm>
#include <map>

using namespace BlockFormat;

namespace {

constexpr std::uint64_t kBlock = SetCatalogueFormat::kLogicalBlockSize;
// A file's block lies within a logical block of where its address points;
// the streams before its data and the pad after them are small.
constexpr std::uint64_t kHeaderSpan = 65536;
constexpr std::size_t kReadSlice = 1 << 20;
constexpr char kChecksumTag[] = "CSUM";
constexpr std::uint64_t kChecksumLength = 4;

std::string_view EntryFolder(const SetCatalogue& catalogue, const SetCatalogue::File& entry)
{
    return entry.folder == SetCatalogue::kNoFolder ? std::string_view("\\") : catalogue.folders[entry.folder].path;
}

} // namespace

void SetCatalogueWitness::SetStarted(std::optional<std::uint64_t> sset)
{
    m_sset = sset;
    m_lastFolder = {};
    m_recentCount = 0;
    m_rooms.clear();
    m_reach = sset ? *sset + kRoomSize : kNoReach;
    m_folders.clear();
    m_files.clear();
    m_unnamedFiles.clear();
    m_lostFolders.clear();
}

// Blocks come in file order but for those a deep search finds behind the
// scan: these fill the rooms they lie in. The pad of less than a slot
// between a block's bytes and the next block is no room.
void SetCatalogueWitness::BlockElsewhere(std::uint64_t block, std::uint64_t end)
{
    end = std::max(end, block + kRoomSize);
    if (m_reach == kNoReach) {
        m_reach = end;
        return;
    }
    if (block >= m_reach + kRoomSize) {
        if (m_rooms.empty())
            KeepRecent();
        m_rooms.emplace_back(m_reach, block);
    } else if (!m_rooms.empty()) {
        Ranges rooms;
        for (const auto& [from, to] : m_rooms) {
            if (from + kRoomSize <= block)
                rooms.emplace_back(from, std::min(to, block));
            if (end + kRoomSize <= to)
                rooms.emplace_back(std::max(from, end), to);
        }
        m_rooms.swap(rooms);
    }
    m_reach = std::max(m_reach, end);
}

// Names are kept from shortly before the set's first room on: a catalogue
// entry further before it lies wholly in found blocks, so that only the
// files near and after it need their names compared (an intact backup
// keeps none but the last few, in a ring FileFound fills).
void SetCatalogueWitness::FolderFound(std::uint64_t block, std::string_view folder, bool lost)
{
    m_lastFolder = {};
    if (!lost && RoomLeft())
        m_folders.push_back(Named{FolderKey(folder), block});
}

// The files just before the first room are kept with those after it, their
// names read again.
void SetCatalogueWitness::KeepRecent()
{
    for (std::size_t k = m_recentCount - std::min(m_recentCount, m_recent.size()); k < m_recentCount; ++k) {
        const Recent& file = m_recent[k % m_recent.size()];
        if (const auto name = m_nameOf(file.block))
            m_files.push_back(Named{FileKey(file.folderKey, *name), file.block});
    }
}

// Every file of a lost folder is kept (they are few): it may lie where a
// catalogue entry places a file, and its folder may take that entry's.
void SetCatalogueWitness::LostFileFound(std::uint64_t block, std::string_view folder, std::string_view name)
{
    if (m_lostFolders.empty() || m_lostFolders.back() != folder)
        m_lostFolders.emplace_back(folder);
    m_unnamedFiles.push_back(Unnamed{block, NameKey(name), m_lostFolders.size() - 1});
}

// The block found with `key`; the first of them where there are several.
std::optional<std::uint64_t> SetCatalogueWitness::BlockNamed(const std::vector<Named>& sorted, std::uint64_t key) const
{
    const auto found = std::lower_bound(sorted.begin(), sorted.end(), Named{key, 0});
    if (found == sorted.end() || found->key != key)
        return std::nullopt;
    return found->block;
}

// Whether `key` names exactly one entry and one found block. A folder the set
// visits more than once (or a name given twice) anchors nothing: which of its
// entries belongs to which block is not known, and a wrong pairing would
// place the entries after it where other blocks lie.
bool SetCatalogueWitness::Anchors(const std::vector<std::uint64_t>& sortedKeys, const std::vector<Named>& found,
                                  std::uint64_t key)
{
    const auto entries = std::equal_range(sortedKeys.begin(), sortedKeys.end(), key);
    const auto blocks = std::equal_range(found.begin(), found.end(), Named{key, 0});
    return entries.second - entries.first == 1 && blocks.second - blocks.first == 1;
}

// Where the block at `address` lay: counted from the nearest anchor before it.
std::optional<std::uint64_t> SetCatalogueWitness::Estimate(const std::vector<Anchor>& anchors,
                                                           std::uint64_t address) const
{
    auto after = std::upper_bound(anchors.begin(), anchors.end(), Anchor{address, 0});
    if (after == anchors.begin())
        return std::nullopt;
    const Anchor& anchor = *(after - 1);
    const std::uint64_t blocks = address - anchor.address;
    if (blocks > m_fileSize / kBlock)
        return std::nullopt;
    const std::uint64_t estimate = anchor.block + blocks * kBlock;
    return estimate < m_fileSize ? std::optional<std::uint64_t>(estimate) : std::nullopt;
}

WitnessVerdict SetCatalogueWitness::Weigh(const SetCatalogue& catalogue)
{
    WitnessVerdict verdict;
    std::vector<Named> folders = m_folders;
    std::vector<Named> files = m_files;
    std::sort(folders.begin(), folders.end());
    std::sort(files.begin(), files.end());

    // The catalogue's keys, and its entries that found blocks anchor.
    std::vector<std::uint64_t> folderKeys;
    std::vector<std::uint64_t> keys;
    folderKeys.reserve(catalogue.folders.size());
    for (const SetCatalogue::Folder& folder : catalogue.folders)
        folderKeys.push_back(FolderKey(folder.path));
    keys.reserve(catalogue.files.size());
    for (const SetCatalogue::File& file : catalogue.files)
        keys.push_back(FileKey(file.folder == SetCatalogue::kNoFolder ? FolderKey("\\") : folderKeys[file.folder],
                               file.name));
    std::vector<std::uint64_t> sortedFolderKeys = folderKeys;
    std::vector<std::uint64_t> sortedKeys = keys;
    std::sort(sortedFolderKeys.begin(), sortedFolderKeys.end());
    std::sort(sortedKeys.begin(), sortedKeys.end());

    std::vector<Anchor> anchors;
    if (m_sset)
        anchors.push_back(Anchor{0, *m_sset});
    for (std::size_t k = 0; k < catalogue.folders.size(); ++k)
        if (Anchors(sortedFolderKeys, folders, folderKeys[k]))
            anchors.push_back(Anchor{catalogue.folders[k].address, *BlockNamed(folders, folderKeys[k])});
    std::vector<bool> named(catalogue.files.size(), false);
    for (std::size_t k = 0; k < catalogue.files.size(); ++k) {
        const auto block = BlockNamed(files, keys[k]);
        named[k] = block.has_value();
        if (block && Anchors(sortedKeys, files, keys[k]))
            anchors.push_back(Anchor{catalogue.files[k].address, *block});
    }
    // Every folder and file the blocks name must be in the catalogue.
    const auto absent = [](const std::vector<std::uint64_t>& sorted, const Named& found) {
        return !std::binary_search(sorted.begin(), sorted.end(), found.key);
    };
    for (const Named& found : folders)
        if (absent(sortedFolderKeys, found))
            return verdict;
    for (const Named& found : files)
        if (absent(sortedKeys, found))
            return verdict;
    verdict.used = true;

    std::stable_sort(anchors.begin(), anchors.end());
    std::sort(m_rooms.begin(), m_rooms.end());
    std::stable_sort(m_unnamedFiles.begin(), m_unnamedFiles.end());
    std::vector<std::size_t> unnamedEntries;
    std::vector<std::optional<std::uint64_t>> estimates;
    for (std::size_t k = 0; k < catalogue.files.size(); ++k) {
        if (named[k])
            continue;
        const SetCatalogue::File& entry = catalogue.files[k];
        CatalogueAddition file;
        file.folder = EntryFolder(catalogue, entry);
        file.name = entry.name;
        file.size = entry.size;
        file.modified = entry.modified;
        const auto estimate = Estimate(anchors, entry.address);
        unnamedEntries.push_back(k);
        estimates.push_back(estimate);
        if (!estimate || Recover(*estimate, file) != Outcome::InsideFoundBlocks)
            verdict.additions.push_back(std::move(file));
    }
    NameLostFolders(catalogue, unnamedEntries, estimates, verdict);
    return verdict;
}

// A lost folder takes the path the catalogue gives every one of its files:
// each lies where an entry of its name places a file, and all those
// entries link to folder entries of that one path.
void SetCatalogueWitness::NameLostFolders(const SetCatalogue& catalogue, const std::vector<std::size_t>& unnamedEntries,
                                          const std::vector<std::optional<std::uint64_t>>& estimates,
                                          WitnessVerdict& verdict) const
{
    const std::string_view clash = "|"; // never a folder path
    std::vector<std::string_view> placed(m_unnamedFiles.size());
    for (std::size_t k = 0; k < unnamedEntries.size(); ++k) {
        const SetCatalogue::File& entry = catalogue.files[unnamedEntries[k]];
        if (!estimates[k] || entry.folder == SetCatalogue::kNoFolder) // a folder entry that did not hold names none
            continue;
        const std::string_view path = catalogue.folders[entry.folder].path;
        const std::uint64_t key = NameKey(entry.name);
        const auto [from, to] = UnnamedNear(*estimates[k]);
        for (auto file = from; file != to; ++file) {
            std::string_view& place = placed[static_cast<std::size_t>(file - m_unnamedFiles.begin())];
            if (file->nameKey == key)
                place = place.empty() || place == path ? path : clash;
        }
    }
    std::map<std::string_view, std::string_view> named; // lost folder, its path
    for (std::size_t k = 0; k < m_unnamedFiles.size(); ++k) {
        const std::string_view folder = m_lostFolders[m_unnamedFiles[k].folder];
        const std::string_view path = placed[k].empty() ? clash : placed[k];
        const auto [at, added] = named.emplace(folder, path);
        if (!added && at->second != path)
            at->second = clash;
    }
    for (const auto& [folder, path] : named)
        if (path != clash)
            verdict.namedFolders.emplace_back(folder, path);
}

// The file blocks found in lost folders that lie within a logical block of `estimate`.
std::pair<std::vector<SetCatalogueWitness::Unnamed>::const_iterator,
          std::vector<SetCatalogueWitness::Unnamed>::const_iterator>
SetCatalogueWitness::UnnamedNear(std::uint64_t estimate) const
{
    const std::uint64_t low = estimate - std::min(estimate, kBlock);
    const std::uint64_t high = estimate + kBlock;
    const auto byBlock = [](std::uint64_t at, const Unnamed& file) { return at < file.block; };
    return {std::upper_bound(m_unnamedFiles.begin(), m_unnamedFiles.end(), low, byBlock),
            std::upper_bound(m_unnamedFiles.begin(), m_unnamedFiles.end(), high - 1, byBlock)};
}

// The file's data in a room the found blocks left around `estimate`.
SetCatalogueWitness::Outcome SetCatalogueWitness::Recover(std::uint64_t estimate, CatalogueAddition& file) const
{
    const std::uint64_t low = estimate - std::min(estimate, kBlock);
    const std::uint64_t high = estimate + kBlock;
    // A file block found there whose folder was lost is this file's.
    const auto unnamed = UnnamedNear(estimate);
    if (unnamed.first != unnamed.second)
        return Outcome::InsideFoundBlocks;
    Outcome outcome = Outcome::InsideFoundBlocks;
    auto room = std::upper_bound(m_rooms.begin(), m_rooms.end(), low,
                                 [](std::uint64_t at, const auto& range) { return at < range.second; });
    for (; room != m_rooms.end() && room->first < high; ++room) {
        const std::uint64_t from = std::max(room->first, low);
        if (FromDataHeader(from, room->second, file) || FromChecksum(from, room->second, file))
            return Outcome::Recovered;
        outcome = Outcome::Missing;
    }
    return outcome;
}

// A data stream header whose checksum holds and whose length is the
// catalogue's size, with its data before `to`.
bool SetCatalogueWitness::FromDataHeader(std::uint64_t from, std::uint64_t to, CatalogueAddition& file) const
{
    const std::uint64_t end = std::min(to, from + kHeaderSpan + 2 * kBlock);
    const ByteView area = m_fetch(from, static_cast<std::size_t>(end - from));
    std::optional<std::uint64_t> header;
    for (auto match = area.Find4(kStandardStreamTag, 0, area.size()); match && !header;
         match = area.Find4(kStandardStreamTag, *match + 1, area.size())) {
        const auto bytes = area.Slice(*match, kStreamHeaderSize);
        if (bytes && StreamChecksumHolds(*bytes) && bytes->Le64(kStreamLength) == file.size)
            header = from + *match;
    }
    if (!header || file.size > to - (*header + kStreamHeaderSize))
        return false;
    file.located = true;
    file.offset = *header + kStreamHeaderSize;
    file.checksum = RecordedDataChecksum(m_fetch, *header, *header, m_fileSize).value;
    return true;
}

// A checksum stream after the catalogue's size of data, whose value the
// bytes before it confirm. The data start two bytes past the 4-byte grid of
// the file's block (after a 22-byte header), and the checksum stream lies on it.
bool SetCatalogueWitness::FromChecksum(std::uint64_t from, std::uint64_t to, CatalogueAddition& file) const
{
    if (file.size > to - from)
        return false;
    const std::uint64_t start = from + file.size;
    const std::uint64_t end = std::min(to, start + kHeaderSpan + 2 * kBlock);
    std::vector<std::pair<std::uint64_t, std::uint32_t>> found; // header, value
    const ByteView area = m_fetch(start, static_cast<std::size_t>(end - start));
    for (auto match = area.Find4(kChecksumTag, 0, area.size()); match;
         match = area.Find4(kChecksumTag, *match + 1, area.size())) {
        const auto bytes = area.Slice(*match, kStreamHeaderSize + kChecksumLength);
        if (bytes && StreamChecksumHolds(*bytes) && bytes->Le64(kStreamLength) == kChecksumLength)
            found.emplace_back(start + *match, *bytes->Le32(kStreamHeaderSize));
    }
    for (const auto& [header, value] : found) {
        for (std::uint64_t back = 0; back < 4; ++back) {
            const std::uint64_t dataEnd = header - back;
            if (dataEnd < start || ((dataEnd - file.size) - (header + 2)) % 4 != 0)
                continue;
            if (DataChecksumOf(dataEnd - file.size, file.size) == value) {
                file.located = true;
                file.offset = dataEnd - file.size;
                file.checksum = value;
                return true;
            }
        }
    }
    return false;
}

std::optional<std::uint32_t> SetCatalogueWitness::DataChecksumOf(std::uint64_t start, std::uint64_t size) const
{
    DataChecksum sum;
    for (std::uint64_t done = 0; done < size;) {
        const auto slice = static_cast<std::size_t>(std::min<std::uint64_t>(kReadSlice, size - done));
        const ByteView bytes = m_fetch(start + done, slice);
        if (bytes.size() < slice)
            return std::nullopt;
        sum.Add(bytes.data(), bytes.size());
        done += slice;
    }
    return sum.Value();
}
