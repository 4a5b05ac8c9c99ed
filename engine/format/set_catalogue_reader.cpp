// SPDX-License-Identifier: GPL-3.0-or-later
#include "set_catalogue_reader.h"

#include "block_format.h"
#include "mtf_date.h"
#include "name_check.h"
#include "set_catalogue_format.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

using namespace SetCatalogueFormat;

namespace {

constexpr std::size_t kProblemLimit = 20;

enum class EntryKind { Volume, Folder, File, End, Unknown };

EntryKind KindOf(ByteView entry)
{
    const std::uint8_t* tag = entry.data() + kType;
    if (std::memcmp(tag, "VOLB", 4) == 0)
        return EntryKind::Volume;
    if (std::memcmp(tag, "DIRB", 4) == 0)
        return EntryKind::Folder;
    if (std::memcmp(tag, "FILE", 4) == 0)
        return EntryKind::File;
    if (std::memcmp(tag, "FEND", 4) == 0)
        return EntryKind::End;
    return EntryKind::Unknown;
}

std::size_t FixedSizeOf(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Volume: return kVolumeFixedSize;
    case EntryKind::Folder:
    case EntryKind::File: return kEntryFixedSize;
    default: return kHeaderSize;
    }
}

class Reader {
public:
    Reader(const FetchBytes& fetch, std::uint64_t start, std::uint64_t length, std::size_t nameLimit)
        : m_fetch(fetch), m_start(start), m_length(length), m_nameLimit(nameLimit)
    {
    }

    SetCatalogue Run();

private:
    std::optional<ByteView> EntryAt(std::uint64_t at, bool& cut);
    void Take(ByteView entry, EntryKind kind, std::uint64_t at);
    bool Name(ByteView entry, std::string& name);
    void Problem(std::uint64_t at, const std::string& what);

    const FetchBytes& m_fetch;
    const std::uint64_t m_start;
    const std::uint64_t m_length;
    const std::size_t m_nameLimit;
    SetCatalogue m_catalogue;
    std::unordered_map<std::uint64_t, std::size_t> m_folderAt; // entry distance -> folder index
    std::uint64_t m_problems = 0;
};

// The entry at distance `at`, when its length is sane and it lies wholly in
// the stream; `cut` tells that the backup ended first.
std::optional<ByteView> Reader::EntryAt(std::uint64_t at, bool& cut)
{
    const ByteView header = m_fetch(m_start + at, kHeaderSize);
    if (header.size() < kHeaderSize) {
        cut = true;
        return std::nullopt;
    }
    const std::size_t length = *header.Le16(kLength);
    if (length < kHeaderSize || length % kEntryAlignment != 0 || length > m_length - at)
        return std::nullopt;
    const ByteView entry = m_fetch(m_start + at, length);
    if (entry.size() < length) {
        cut = true;
        return std::nullopt;
    }
    const EntryKind kind = KindOf(entry);
    if (kind == EntryKind::Unknown || entry.size() < FixedSizeOf(kind))
        return std::nullopt;
    return entry;
}

SetCatalogue Reader::Run()
{
    std::uint64_t at = 0;
    bool lost = false; // passing over bytes that hold no entry
    while (at + kHeaderSize <= m_length && !m_catalogue.ended) {
        bool cut = false;
        const auto entry = EntryAt(at, cut);
        if (cut) {
            Problem(at, "the backup ends inside the catalogue");
            break;
        }
        if (!entry) {
            if (!lost)
                Problem(at, "no entry holds here; the next one is looked for");
            lost = true;
            at += kEntryAlignment;
            continue;
        }
        lost = false;
        const EntryKind kind = KindOf(*entry);
        Take(*entry, kind, at);
        at += entry->size();
    }
    if (!m_catalogue.ended)
        Problem(at, "the catalogue has no end entry");
    if (m_problems > kProblemLimit)
        m_catalogue.problems.push_back("and " + std::to_string(m_problems - kProblemLimit) + " more");
    return std::move(m_catalogue);
}

void Reader::Take(ByteView entry, EntryKind kind, std::uint64_t at)
{
    const std::uint64_t address = *entry.Le64(kAddress);
    switch (kind) {
    case EntryKind::End: m_catalogue.ended = true; return;
    case EntryKind::Volume: return;
    case EntryKind::Folder: {
        SetCatalogue::Folder folder{address, {}};
        if (!Name(entry, folder.path)) {
            Problem(at, "a folder entry whose name cannot be used");
            return;
        }
        if (folder.path.empty() || folder.path.front() != '\\')
            folder.path.insert(folder.path.begin(), '\\');
        if (folder.path.back() != '\\')
            folder.path.push_back('\\');
        m_folderAt.emplace(at, m_catalogue.folders.size());
        m_catalogue.folders.push_back(std::move(folder));
        return;
    }
    case EntryKind::File: {
        SetCatalogue::File file;
        file.address = address;
        file.size = *entry.Le64(kSize);
        file.modified = PackedMtfDate(entry, kModified);
        if (!Name(entry, file.name) || file.name.empty()) {
            Problem(at, "a file entry whose name cannot be used");
            return;
        }
        if (file.name.front() == '\\')
            file.name.erase(file.name.begin());
        if (!file.name.empty() && file.name.back() == '\\')
            file.name.pop_back();
        const std::uint32_t link = *entry.Le32(kLink);
        const auto folder = m_folderAt.find(link);
        if (link != 0 && folder == m_folderAt.end())
            Problem(at, "a file entry whose link names no folder entry before it");
        else if (link != 0)
            file.folder = folder->second;
        m_catalogue.files.push_back(std::move(file));
        return;
    }
    case EntryKind::Unknown: return;
    }
}

// The name field, which must lie inside the entry past its fixed fields.
bool Reader::Name(ByteView entry, std::string& name)
{
    const std::size_t size = *entry.Le16(kNameSize);
    const std::size_t offset = *entry.Le16(kNameOffset);
    if (size == 0 || offset < kEntryFixedSize || offset > entry.size() || size > entry.size() - offset)
        return false;
    name = CopyTapeName(entry, offset, offset + (size & ~std::size_t{1}), m_nameLimit).text;
    CollapseSeparators(name);
    return IsCleanName(name);
}

void Reader::Problem(std::uint64_t at, const std::string& what)
{
    if (++m_problems <= kProblemLimit)
        m_catalogue.problems.push_back(what + " (at byte " + std::to_string(m_start + at) + ")");
}

} // namespace

SetCatalogue ReadSetCatalogue(const FetchBytes& fetch, std::uint64_t start, std::uint64_t length,
                              std::size_t nameLimit)
{
    return Reader(fetch, start, length, nameLimit).Run();
}
