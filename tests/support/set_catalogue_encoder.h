// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Encodes a set's own catalogue entries (VOLB, DIRB, FILE, FEND) in the
// layout of set_catalogue_format.h, for both backup writers: the tests'
// BkfWriter and the benchmarks' make_backup, which hands each folder's
// entries over as soon as they are final so that it never holds more.

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

class SetCatalogueEncoder {
public:
    // `path`: the folder's components, each followed by a NUL unit.
    void Volume(std::uint64_t address);
    void Folder(const std::vector<std::uint16_t>& path, std::uint64_t address, std::uint64_t modified);
    void File(const std::vector<std::uint16_t>& name, std::uint64_t address, std::uint64_t size,
              std::uint64_t modified);
    void End();

    // The finished entries not yet taken: all of them with `all`, else those
    // before the last folder's entry, whose sibling link may still change.
    std::vector<std::uint8_t> Take(bool all);
    // Bytes of entries so far, taken or not.
    std::uint64_t Written() const { return m_taken + m_bytes.size(); }

    // The size of an entry holding a name of `nameUnits` UTF-16 units.
    static std::size_t EntrySize(std::size_t nameUnits);

private:
    std::size_t Begin(const char* tag, std::size_t fixedSize, std::size_t nameUnits, std::uint64_t address,
                      std::uint64_t size);
    void LinkSibling(std::vector<std::uint16_t> parent, std::uint64_t entry);
    void Put(std::size_t at, std::uint64_t value, std::size_t bytes);
    void PutDate(std::size_t at, std::uint64_t packed);

    std::vector<std::uint8_t> m_bytes; // entries from m_taken on
    std::uint64_t m_taken = 0;
    std::uint64_t m_lastFolder = 0;      // its distance, 0 before the first
    std::uint64_t m_heldFolder = UINT64_MAX; // the last folder's distance, kept until final
    // The last entry under each parent (a folder's parent path; volumes under
    // a path no folder has), whose link names the next one.
    std::map<std::vector<std::uint16_t>, std::uint64_t> m_lastChild;
};

// The 40-bit packed date as stored (five bytes, most significant first).
void PutPackedDate(std::uint8_t* at, std::uint64_t packed);
