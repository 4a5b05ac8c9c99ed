// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The set's own catalogue as a second witness. While the scan walks a set it
// tells the witness where it found blocks and which folders and files they
// named; when the set's catalogue has been read, the witness compares the
// two. A catalogue that does not name a found file or folder (from the
// first room the found blocks leave on) is not used. Otherwise each file it
// names that the blocks did not give is looked for where its block lay
// (anchored on the nearest found block whose name the catalogue gives once,
// so that a backup that gained or lost bytes is no obstacle):
// by a data stream header whose checksum holds, else backwards from its
// checksum stream, whose value must confirm the bytes. A found block always
// wins: nothing inside one is taken. A "lost dir" whose files the catalogue
// places (near their blocks, by their names) all in one folder is named.

#include "set_catalogue_reader.h"
#include "stream_chain.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The key of a folder path, and of a file name in it: a quick 64-bit hash.
inline std::uint64_t MixedKey(std::uint64_t seed, std::string_view text)
{
    std::uint64_t key = seed ^ (text.size() * 0x9E3779B97F4A7C15ull);
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, 8);
        key = (key ^ word) * 0xBF58476D1CE4E5B9ull;
        key ^= key >> 31;
    }
    // The last bytes: the last eight (overlapping the loop's) when there
    // are that many, without a copy of variable length.
    std::uint64_t tail = 0;
    if (text.size() >= 8)
        std::memcpy(&tail, text.data() + text.size() - 8, 8);
    else
        for (; at < text.size(); ++at)
            tail = tail << 8 | static_cast<std::uint8_t>(text[at]);
    key = (key ^ tail) * 0x94D049BB133111EBull;
    return key ^ (key >> 29);
}
inline std::uint64_t FolderKey(std::string_view folder)
{
    return MixedKey(0, folder);
}
inline std::uint64_t FileKey(std::uint64_t folderKey, std::string_view name)
{
    return MixedKey(folderKey, name);
}
// The key of a file name alone, whatever its folder.
inline std::uint64_t NameKey(std::string_view name)
{
    return MixedKey(1, name);
}

// A file the catalogue adds: its data found, or not found at all.
struct CatalogueAddition {
    std::string folder; // "\a\b\"
    std::string name;
    bool located = false;
    std::uint64_t size = 0;
    std::uint64_t offset = 0;
    std::uint64_t modified = 0;
    std::optional<std::uint32_t> checksum;
};

struct WitnessVerdict {
    bool used = false;
    std::vector<CatalogueAddition> additions; // in the catalogue's order
    // A lost folder ("\lost dir0\") and the path the catalogue gives it.
    std::vector<std::pair<std::string, std::string>> namedFolders;
};

// Reads the name of the file whose block is at `block` again, as the scan
// gave it, or nothing when it no longer can.
using FileNameReader = std::function<std::optional<std::string>(std::uint64_t block)>;

class SetCatalogueWitness {
public:
    SetCatalogueWitness(const FetchBytes& fetch, std::uint64_t fileSize, FileNameReader nameOf)
        : m_fetch(fetch), m_fileSize(fileSize), m_nameOf(std::move(nameOf))
    {
    }

    // A new set; its SSET at `sset` when the set block was found.
    void SetStarted(std::optional<std::uint64_t> sset);
    // A block found in the set and the bytes it accounts for. Called for
    // every block: the common case, right after the bytes accounted for, is
    // answered here.
    void BlockFound(std::uint64_t block, std::uint64_t end)
    {
        // One comparison: a block before the reach wraps to a large distance.
        if (block - m_reach < kRoomSize) {
            m_reach = std::max(end, block + kRoomSize); // past the reach already
            return;
        }
        BlockElsewhere(block, end);
    }
    // Whether the found blocks leave room for a block that was not found:
    // where they account for every byte, the catalogue has nothing to add.
    bool RoomLeft() const { return !m_rooms.empty(); }
    // A folder or file block of the set and the path it was given ("\a\b\"
    // and, for a file, its name); `lost`: its folder's name was not read.
    // Before the first room only a file's block and folder are kept, in a
    // ring: its name is read again should a room follow closely.
    void FolderFound(std::uint64_t block, std::string_view folder, bool lost);
    void FileFound(std::uint64_t block, std::string_view folder, std::string_view name, bool lost)
    {
        if (lost) {
            LostFileFound(block, folder, name);
            return;
        }
        if (folder.data() != m_lastFolder.data() || folder.size() != m_lastFolder.size()) {
            m_lastFolder = folder;
            m_lastFolderKey = FolderKey(folder);
        }
        if (RoomLeft())
            m_files.push_back(Named{FileKey(m_lastFolderKey, name), block});
        else
            m_recent[m_recentCount++ % m_recent.size()] = Recent{block, m_lastFolderKey};
    }

    WitnessVerdict Weigh(const SetCatalogue& catalogue);

private:
    struct Named {
        std::uint64_t key;
        std::uint64_t block;
        bool operator<(const Named& other) const { return key < other.key; }
    };
    struct Recent {
        std::uint64_t block = 0;
        std::uint64_t folderKey = 0;
    };
    // A file found in a lost folder: the key of its name alone, and its folder.
    struct Unnamed {
        std::uint64_t block;
        std::uint64_t nameKey;
        std::size_t folder; // into m_lostFolders
        bool operator<(const Unnamed& other) const { return block < other.block; }
    };
    static constexpr std::uint64_t kRoomSize = 512; // the least room a block needs
    static constexpr std::uint64_t kNoReach = UINT64_MAX;
    struct Anchor {
        std::uint64_t address;
        std::uint64_t block;
        bool operator<(const Anchor& other) const { return address < other.address; }
    };
    using Ranges = std::vector<std::pair<std::uint64_t, std::uint64_t>>;
    enum class Outcome { Recovered, Missing, InsideFoundBlocks };

    void LostFileFound(std::uint64_t block, std::string_view folder, std::string_view name);
    void KeepRecent();
    void NameLostFolders(const SetCatalogue& catalogue, const std::vector<std::size_t>& unnamedEntries,
                         const std::vector<std::optional<std::uint64_t>>& estimates, WitnessVerdict& verdict) const;
    void BlockElsewhere(std::uint64_t block, std::uint64_t end);
    std::optional<std::uint64_t> BlockNamed(const std::vector<Named>& sorted, std::uint64_t key) const;
    static bool Anchors(const std::vector<std::uint64_t>& sortedKeys, const std::vector<Named>& found,
                        std::uint64_t key);
    std::optional<std::uint64_t> Estimate(const std::vector<Anchor>& anchors, std::uint64_t address) const;
    std::pair<std::vector<Unnamed>::const_iterator, std::vector<Unnamed>::const_iterator>
    UnnamedNear(std::uint64_t estimate) const;
    Outcome Recover(std::uint64_t estimate, CatalogueAddition& file) const;
    bool FromDataHeader(std::uint64_t from, std::uint64_t to, CatalogueAddition& file) const;
    bool FromChecksum(std::uint64_t from, std::uint64_t to, CatalogueAddition& file) const;
    std::optional<std::uint32_t> DataChecksumOf(std::uint64_t start, std::uint64_t size) const;

    const FetchBytes& m_fetch;
    const std::uint64_t m_fileSize;
    const FileNameReader m_nameOf;
    std::optional<std::uint64_t> m_sset;
    // The set's bytes that no found block accounts for, a slot or more each,
    // and the end of the bytes accounted for so far.
    Ranges m_rooms;
    std::uint64_t m_reach = kNoReach;
    std::vector<Named> m_folders; // key: the folder path's hash
    std::vector<Named> m_files;   // key: folder path and name hashed together
    std::vector<Unnamed> m_unnamedFiles; // every one of the set, in file order
    std::vector<std::string> m_lostFolders;
    // The last files found before the first room (each at least a slot: 8
    // reach back further than an entry's place can be off).
    std::array<Recent, 8> m_recent;
    std::size_t m_recentCount = 0;
    // The folder of the last file (valid until the next folder block) and its key.
    std::string_view m_lastFolder;
    std::uint64_t m_lastFolderKey = 0;
};
