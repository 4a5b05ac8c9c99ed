// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a small backup with BkfWriter and, beside it, the files it holds, so
// that a check from outside (the keyboard-only save under Xvfb) can compare
// what a save produced with what went into the backup. Installed as
// bkf-make-sample, it gives a first try a damaged backup (./run.sh --sample).
//
//   make_sample_backup OUT.bkf ORIGINALS_DIR [--cut-short]
//
// ORIGINALS_DIR receives the set's folders and files as the backup holds them
// (below the set's own folder, whose name the engine chooses). --cut-short
// ends the backup in the middle of the last file's data, so that a save of it
// has something to report; the originals stay whole.

#include "bkf_writer.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct SampleFile {
    std::vector<std::string> folders; // empty: the set's root folder
    std::string name;
    std::size_t size;
};

// Sizes around the 512-byte slot and across a 64 KiB window of the scan.
const SampleFile kFiles[] = {
    { {}, "read me.txt", 1 },
    { { "Documents" }, "budget 2026.xlsx", 511 },
    { { "Documents" }, "letter.docx", 512 },
    { { "Documents" }, "notes.txt", 513 },
    { { "Documents", "Invoices" }, "invoice-0001.pdf", 70000 },
    { { "Pictures", "Holiday 2025" }, "beach.jpg", 131072 + 7 },
    { { "Pictures", "Holiday 2025" }, "sunset.png", 4096 },
};

// Every byte value, in an order that differs from file to file and block to block.
std::vector<std::uint8_t> Content(std::size_t size, std::uint32_t seed)
{
    std::vector<std::uint8_t> bytes(size);
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}

bool WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool WriteSample(const fs::path& backup, const fs::path& originals, bool cutShort)
{
    BkfWriter w;
    w.Tag("TAPE").Sset("Daily", 1);
    std::uint32_t seed = 0;
    for (const SampleFile& file : kFiles) {
        std::vector<TapeString> components(file.folders.begin(), file.folders.end());
        fs::path folder = originals;
        for (const std::string& name : file.folders)
            folder /= name;
        std::error_code error;
        fs::create_directories(folder, error);
        const std::vector<std::uint8_t> data = Content(file.size, ++seed);
        if (error || !WriteFile(folder / file.name, data))
            return false;
        w.Dirb(components).File(file.name, data);
    }
    if (cutShort)
        w.Truncate(w.LastFile().data + kFiles[std::size(kFiles) - 1].size / 2);
    return WriteFile(backup, w.Bytes());
}

} // namespace

int main(int argc, char** argv)
{
    const bool cutShort = argc == 4 && std::string(argv[3]) == "--cut-short";
    if (argc != 3 && !cutShort) {
        std::fprintf(stderr, "usage: %s OUT.bkf ORIGINALS_DIR [--cut-short]\n", argv[0]);
        return 2;
    }
    if (!WriteSample(argv[1], argv[2], cutShort)) {
        std::fprintf(stderr, "%s: cannot write %s or %s\n", argv[0], argv[1], argv[2]);
        return 1;
    }
    return 0;
}
