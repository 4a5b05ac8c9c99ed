// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a small backup with BkfWriter and, beside it, the files it holds, so
// that a check from outside (the keyboard-only save under Xvfb) can compare
// what a save produced with what went into the backup. Installed as
// bkf-make-sample, it gives a first try a damaged backup (./run.sh --sample).
//
//   make_sample_backup OUT.bkf ORIGINALS_DIR [--cut-short]
//   make_sample_backup --help
//
// ORIGINALS_DIR receives the set's folders and files as the backup holds them
// (below the set's own folder, whose name the engine chooses). --cut-short
// ends the backup in the middle of the last file's data, so that a save of it
// has something to report; the originals stay whole.

#include "bkf_writer.h"
#include "byte_file.h"
#include "sample_content.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using sample_content::Bytes;

struct SampleFile {
    std::vector<std::string> folders; // empty: the set's root folder
    std::string name;
    Bytes (*content)(std::uint32_t seed);
};

const char kReadMe[] =
    "This backup is a sample written by bkf-make-sample.\n"
    "Written with --cut-short, it ends in the middle of its last file, as a backup cut short by a full disk does.\n"
    "Scan it, look at the pictures and the invoice, and save what can be saved.\n";

const char kNotes[] = "Call the bank about the budget on Monday.\nBook the train to the coast for the holiday.\n";

const std::vector<std::string> kInvoice = {
    "Invoice 0001", "", "Brevant Veltra sample shop", "", "1 x Beach towel            12.50",
    "2 x Sun cream              17.80", "1 x Straw hat               9.90", "", "Total                      40.20",
};

// Real small files, so that the preview shows pictures and text; their
// sizes lie around the 512-byte slot and across 64 KiB windows of the scan.
const SampleFile kFiles[] = {
    {{}, "read me.txt", [](std::uint32_t) { return Bytes(std::begin(kReadMe), std::end(kReadMe) - 1); }},
    {{"Documents"}, "budget 2026.xlsx", [](std::uint32_t seed) { return sample_content::Noise(511, seed); }},
    {{"Documents"}, "letter.docx", [](std::uint32_t seed) { return sample_content::Noise(512, seed); }},
    {{"Documents"}, "notes.txt", [](std::uint32_t) { return sample_content::TextOfSize(kNotes, 513); }},
    {{"Documents", "Invoices"}, "invoice-0001.pdf",
     [](std::uint32_t) { return sample_content::PdfOfLines(kInvoice, 70000); }},
    {{"Pictures", "Holiday 2025"}, "beach.jpg", [](std::uint32_t) { return sample_content::BeachJpeg(131072 + 7); }},
    {{"Pictures", "Holiday 2025"}, "sunset.png", [](std::uint32_t) { return sample_content::SunsetPng(40, 30); }},
};

const char kUsage[] = "usage: %s OUT.bkf ORIGINALS_DIR [--cut-short]\n";

bool WriteSample(const fs::path& backup, const fs::path& originals, bool cutShort)
{
    BkfWriter w;
    w.Tag("TAPE").Sset("Daily", 1);
    std::uint32_t seed = 0;
    std::size_t lastSize = 0;
    for (const SampleFile& file : kFiles) {
        std::vector<TapeString> components(file.folders.begin(), file.folders.end());
        fs::path folder = originals;
        for (const std::string& name : file.folders)
            folder /= name;
        std::error_code error;
        fs::create_directories(folder, error);
        const Bytes data = file.content(++seed);
        if (error || !WriteBytes(folder / file.name, data))
            return false;
        w.Dirb(components).File(file.name, data);
        lastSize = data.size();
    }
    if (cutShort)
        w.Truncate(w.LastFile().data + lastSize / 2);
    else
        w.SetCatalogue();
    return WriteBytes(backup, w.Bytes());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::printf(kUsage, argv[0]);
        return 0;
    }
    const bool cutShort = argc == 4 && std::string(argv[3]) == "--cut-short";
    if (argc != 3 && !cutShort) {
        std::fprintf(stderr, kUsage, argv[0]);
        return 2;
    }
    if (!WriteSample(argv[1], argv[2], cutShort)) {
        std::fprintf(stderr, "%s: cannot write %s or %s\n", argv[0], argv[1], argv[2]);
        return 1;
    }
    return 0;
}
