// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads the entries of a set's own catalogue (the data of its "TFDD"
// stream): the folders and files it names, where their blocks lay and the
// files' sizes and dates. Every length, name field and link is checked
// against the stream before it is used; an entry that does not hold is
// passed over (the reader looks for the next one on the 4-byte grid) and
// said in `problems`. Links are looked up once each, never followed, so
// that loops cost nothing; what is kept is never more than the entries.

#include "stream_chain.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct SetCatalogue {
    static constexpr std::size_t kNoFolder = SIZE_MAX;

    struct Folder {
        std::uint64_t address = 0; // logical blocks from the set's SSET
        std::string path;          // "\a\b\", the root "\"
    };
    struct File {
        std::uint64_t address = 0;
        std::uint64_t size = 0;
        std::uint64_t modified = 0;     // packed, 0 unknown
        std::size_t folder = kNoFolder; // index into folders
        std::string name;
    };

    std::vector<Folder> folders;
    std::vector<File> files;
    bool ended = false;                // its end entry was met
    std::vector<std::string> problems; // what did not hold, in order
};

// Reads the `length` bytes from `start` (the byte after the "TFDD" stream
// header); `fetch` gives fewer bytes where the backup ends. Names are cut at
// `nameLimit` characters and must be clean.
SetCatalogue ReadSetCatalogue(const FetchBytes& fetch, std::uint64_t start, std::uint64_t length,
                              std::size_t nameLimit);
