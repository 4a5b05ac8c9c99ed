// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry for a continued save: reading the output tree an earlier
// save left and going on in it. The input is lines: "d PATH" makes a folder,
// "f PATH" a file holding the rest of the input from there, "l PATH" a link
// to a folder outside the output root, and "r PATH" is a catalogue row whose
// data are bytes of the input. Paths are "\"-separated below the output
// root. Whatever the tree, nothing outside the root may change.

#include "bkf_file_handle.h"
#include "catalogue_store.h"
#include "continued_save.h"
#include "extraction_progress.h"
#include "row_saver.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxInput = 1 << 14;
constexpr std::size_t kMaxTreeEntries = 64;
const char kPrefix[] = "Recovered BKF";

struct QuietProgress : ExtractionProgress {
    void Begin(std::size_t, std::uint64_t) override {}
    void FileStarted(std::size_t, std::string_view) override {}
    void BytesCopied(std::uint64_t) override {}
    void RowDone(std::size_t) override {}
};

// The "\"-separated path as a relative file system path, or empty when a
// component could leave the folder it is made in.
fs::path TreePath(std::string_view path)
{
    fs::path relative;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        const std::string_view part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == ".." || part.find('/') != std::string_view::npos
            || part.find('\0') != std::string_view::npos)
            return {};
        relative /= std::string(part);
        start = end + 1;
    }
    return relative;
}

// Whether a folder on the way to `relative` below `root` is one of the input's
// links: an entry made through it would be made outside the root by this
// harness itself, not by the save.
bool ThroughALink(const fs::path& root, const fs::path& relative)
{
    fs::path at = root;
    for (const fs::path& part : relative.parent_path()) {
        at /= part;
        std::error_code ignored;
        if (fs::is_symlink(fs::symlink_status(at, ignored)))
            return true;
    }
    return false;
}

// Makes one entry of the earlier save's tree; failures (a parent missing) are part of the input.
void MakeEntry(char kind, const fs::path& at, std::string_view rest, const fs::path& outside)
{
    std::error_code ignored;
    if (kind == 'd') {
        fs::create_directories(at, ignored);
    } else if (kind == 'l') {
        fs::create_directory_symlink(outside, at, ignored);
    } else if (kind == 'f') {
        std::ofstream(at, std::ios::binary).write(rest.data(), static_cast<std::streamsize>(rest.size()));
    }
}

// Builds the tree below `root` and the catalogue rows from the input's lines.
void ReadInput(std::string_view input, const fs::path& root, const fs::path& outside, CatalogueStore& store)
{
    std::size_t entries = 0;
    for (std::size_t start = 0; start < input.size() && entries < kMaxTreeEntries; ++entries) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        const std::string_view line = input.substr(start, end - start);
        start = end + 1;
        if (line.size() < 3 || line[1] != ' ')
            continue;
        const std::string_view path = line.substr(2);
        if (line[0] == 'r') {
            CatalogueRow row;
            row.path = path;
            row.located = true;
            row.offset = start % (input.size() + 1);
            row.size = line.size() * 37 % 300;
            store.Append(row);
            continue;
        }
        const fs::path relative = TreePath(path);
        if (!relative.empty() && !ThroughALink(root, relative))
            MakeEntry(line[0], root / relative, input.substr(std::min(start, input.size())), outside);
    }
    store.SetAllTicked(true);
}

// The one file outside the root: there, alone and unchanged.
bool OutsideUntouched(const fs::path& outside)
{
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(outside)) {
        (void)entry;
        ++count;
    }
    std::ifstream keep(outside / "keep", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(keep)), std::istreambuf_iterator<char>());
    return count == 1 && text == "keep";
}

void ContinueSave(const BkfFileHandle& backup, const std::string& destination, const CatalogueStore& store)
{
    const std::uint64_t backupSize = backup.Size().value_or(0);
    const auto earlier = FindEarlierSave(destination, kPrefix, store, backupSize);
    ExtractionReport report;
    ExtractionOptions options;
    options.continueSave = true;
    options.continueIn = earlier ? earlier->folder : std::string();
    auto root = OpenSaveRoot(destination, kPrefix, options, report);
    // The earlier save found is the one the save goes on in.
    if (!root || !report.continued || (earlier && earlier->folder != root->Path()))
        std::abort();
    QuietProgress progress;
    RowSaver saver(backup, *root, progress, report);
    if (report.continued)
        saver.ContinueEarlierSave();
    for (std::size_t row = 0; row < store.RowCount(); ++row)
        saver.SaveRow(row, store.Row(row));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const int fd = memfd_create("bkf-fuzz-input", MFD_CLOEXEC);
    static const fs::path work = [] {
        char name[] = "/tmp/bkf-continue-fuzz-XXXXXX";
        return fs::path(::mkdtemp(name) ? name : "");
    }();
    static const int cleanUp = std::atexit([] {
        std::error_code ignored;
        fs::remove_all(work, ignored);
    });
    (void)cleanUp;
    if (fd < 0 || work.empty() || size > kMaxInput || ftruncate(fd, 0) != 0)
        return 0;
    if (size > 0 && pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        return 0;
    BkfFileHandle backup;
    if (!backup.Open("/proc/self/fd/" + std::to_string(fd)))
        return 0;

    const fs::path destination = work / "dest";
    const fs::path outside = work / "outside";
    fs::remove_all(destination);
    fs::remove_all(outside);
    fs::create_directories(destination / kPrefix);
    fs::create_directories(outside);
    std::ofstream(outside / "keep") << "keep";

    CatalogueStore store;
    ReadInput(std::string_view(reinterpret_cast<const char*>(data), size), destination / kPrefix, outside, store);
    ContinueSave(backup, destination.string(), store);
    if (!OutsideUntouched(outside))
        std::abort();
    return 0;
}
