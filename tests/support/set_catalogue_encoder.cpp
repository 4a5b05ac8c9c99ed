// SPDX-License-Identifier: GPL-3.0-or-later
#include "set_catalogue_encoder.h"

#include "byte_layout.h"
#include "set_catalogue_format.h"

#include <algorithm>
#include <cstring>

using namespace SetCatalogueFormat;

namespace {

const std::vector<std::uint16_t> kVolumes = {0xFFFF}; // a parent no folder path can be

} // namespace

void PutPackedDate(std::uint8_t* at, std::uint64_t packed)
{
    for (std::size_t k = 0; k < kDateSize; ++k)
        at[k] = static_cast<std::uint8_t>(packed >> (8 * (kDateSize - 1 - k)));
}

std::size_t SetCatalogueEncoder::EntrySize(std::size_t nameUnits)
{
    return AlignUp(kEntryFixedSize + 2 * nameUnits, kEntryAlignment);
}

void SetCatalogueEncoder::Put(std::size_t at, std::uint64_t value, std::size_t bytes)
{
    for (std::size_t k = 0; k < bytes; ++k)
        m_bytes[at + k] = static_cast<std::uint8_t>(value >> (8 * k));
}

std::size_t SetCatalogueEncoder::Begin(const char* tag, std::size_t fixedSize, std::size_t nameUnits,
                                       std::uint64_t address, std::uint64_t size)
{
    const std::size_t at = m_bytes.size();
    const std::size_t length = AlignUp(fixedSize + 2 * nameUnits, kEntryAlignment);
    m_bytes.resize(at + length, 0);
    Put(at + kLength, length, 2);
    std::memcpy(&m_bytes[at + kType], tag, 4);
    Put(at + kAddress, address, 8);
    Put(at + kSize, size, 8);
    m_bytes[at + kStringType] = kUnicodeStrings;
    return at;
}

void SetCatalogueEncoder::LinkSibling(std::vector<std::uint16_t> parent, std::uint64_t entry)
{
    const auto [it, first] = m_lastChild.try_emplace(std::move(parent), entry);
    if (!first) {
        if (it->second >= m_taken)
            Put(static_cast<std::size_t>(it->second - m_taken + kLink), entry, 4);
        it->second = entry;
    }
}

void SetCatalogueEncoder::Volume(std::uint64_t address)
{
    const std::uint64_t entry = Written();
    Begin("VOLB", kVolumeFixedSize, 0, address, 0);
    LinkSibling(kVolumes, entry);
}

void SetCatalogueEncoder::Folder(const std::vector<std::uint16_t>& path, std::uint64_t address,
                                 std::uint64_t modified)
{
    const std::uint64_t entry = Written();
    const std::size_t at = Begin("DIRB", kEntryFixedSize, path.size(), address, 0);
    PutDate(at + kModified, modified);
    Put(at + kNameSize, 2 * path.size(), 2);
    Put(at + kNameOffset, kEntryFixedSize, 2);
    for (std::size_t k = 0; k < path.size(); ++k)
        Put(at + kEntryFixedSize + 2 * k, path[k], 2);
    // The parent: the components before the last one.
    std::size_t cut = path.size() >= 2 ? path.size() - 1 : 0;
    while (cut > 0 && path[cut - 1] != 0)
        --cut;
    LinkSibling(std::vector<std::uint16_t>(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(cut)), entry);
    m_lastFolder = entry;
    m_heldFolder = entry;
}

void SetCatalogueEncoder::File(const std::vector<std::uint16_t>& name, std::uint64_t address, std::uint64_t size,
                               std::uint64_t modified)
{
    const std::size_t at = Begin("FILE", kEntryFixedSize, name.size(), address, size);
    Put(at + kLink, m_lastFolder, 4);
    PutDate(at + kModified, modified);
    Put(at + kNameSize, 2 * name.size(), 2);
    Put(at + kNameOffset, kEntryFixedSize, 2);
    for (std::size_t k = 0; k < name.size(); ++k)
        Put(at + kEntryFixedSize + 2 * k, name[k], 2);
}

void SetCatalogueEncoder::End()
{
    Begin("FEND", kHeaderSize, 0, 0, 0);
}

void SetCatalogueEncoder::PutDate(std::size_t at, std::uint64_t packed)
{
    PutPackedDate(&m_bytes[at], packed);
}

std::vector<std::uint8_t> SetCatalogueEncoder::Take(bool all)
{
    const std::uint64_t end = all || m_heldFolder == UINT64_MAX ? Written() : std::max(m_heldFolder, m_taken);
    const auto count = static_cast<std::ptrdiff_t>(end - m_taken);
    std::vector<std::uint8_t> taken(m_bytes.begin(), m_bytes.begin() + count);
    m_bytes.erase(m_bytes.begin(), m_bytes.begin() + count);
    m_taken = end;
    return taken;
}
