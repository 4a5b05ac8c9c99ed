// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry for the catalogue scan: the input is the whole backup file.
// The scan reads through BkfFileHandle, so the input goes into an in-memory
// file (memfd) that is reopened through /proc/self/fd for every run.

#include "bkf_file_handle.h"
#include "catalogue_scan.h"

#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kMaxInput = 1 << 20;

// No reported path may leave the output root: no "/" and no "." or ".." component.
void CheckPath(std::string_view path)
{
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        std::string_view part = path.substr(start, end - start);
        if (part == "." || part == ".." || part.find('/') != std::string_view::npos) {
            std::fprintf(stderr, "unsafe catalogue path: %.*s\n", static_cast<int>(path.size()), path.data());
            std::abort();
        }
        start = end + 1;
    }
}

// Sinks that read every byte reported, so that AddressSanitizer sees the reads.
struct TouchingSinks : CatalogueSink, FolderPathSink, ScanProgress, DiagnosticTrace {
    volatile std::uint64_t sum = 0;
    void Touch(std::string_view text) { for (char c : text) sum = sum + static_cast<unsigned char>(c); }
    void AddRow(const CatalogueRow& row) override { Touch(row.path); CheckPath(row.path); sum = sum + row.size + row.offset + row.located; }
    void AddPath(std::string_view path) override { Touch(path); CheckPath(path); }
    void FileCountChanged(std::uint64_t filesFound) override { sum = sum + filesFound; }
    void WindowScanned(std::uint64_t position, std::uint64_t fileSize) override { sum = sum + position + fileSize; }
    void Trace(std::string_view text) override { Touch(text); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const int fd = memfd_create("bkf-fuzz-input", MFD_CLOEXEC);
    if (fd < 0 || size > kMaxInput || ftruncate(fd, 0) != 0)
        return 0;
    if (size > 0 && pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        return 0;

    BkfFileHandle file;
    if (!file.Open("/proc/self/fd/" + std::to_string(fd)))
        return 0;
    // The default scan, then the deep one, over the same bytes.
    for (const bool deep : {false, true}) {
        TouchingSinks sinks;
        std::atomic<bool> running{true};
        ScanReport report;
        ScanCatalogue(file, running, ScanSinks{sinks, sinks, sinks, &sinks}, report, ScanOptions{deep});
        sinks.Touch(ScanReportSummary(report));
        sinks.Touch(DeepScanSuggestion(report));
        for (const std::string& line : ScanReportDetails(report))
            sinks.Touch(line);
    }
    return 0;
}
