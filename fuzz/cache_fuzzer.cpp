// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry for the catalogue cache's reader: the input is a cache
// file's records and report (what follows its header). It is framed as a
// cache of a fixed backup would be, with that backup's header and the hash of
// its bytes, so that the mutations reach the decoder and not only the hash
// check. Whatever a load hands on must be what a scan could give: clean
// paths, printable report texts, and data no save can write more than once.

#include "cache_frame.h"
#include "catalogue_row.h"
#include "scan_report.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::size_t kMaxInput = 1 << 20;

[[noreturn]] void Fail(const char* what, std::string_view text)
{
    std::fprintf(stderr, "%s: %.*s\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
}

// Paths: no "/", control character, or "." or ".." component.
void CheckPath(std::string_view path)
{
    for (const char c : path) {
        if (c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            Fail("unsafe catalogue path", path);
    }
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (part == "." || part == "..")
            Fail("climbing catalogue path", path);
        start = end + 1;
    }
}

void CheckPrintable(std::string_view text)
{
    if (PrintableName(text) != text)
        Fail("unprintable report text", text);
}

struct CheckingSinks : CatalogueSink, FolderDateSink {
    std::uint64_t pastEndBytes = 0; // saved for rows whose stated size runs past the backup's end

    void AddRow(const CatalogueRow& row) override
    {
        CheckPath(row.path);
        const std::uint64_t length = RowDataRange(row, kFuzzedBackup.size).length;
        if (row.located && row.size > kFuzzedBackup.size - std::min(kFuzzedBackup.size, row.offset))
            pastEndBytes += length;
        if (pastEndBytes > kFuzzedBackup.size)
            Fail("rows cut short save more than the backup", row.path);
    }
    void FolderDated(std::string_view folderPath, std::uint64_t) override { CheckPath(folderPath); }
};

void CheckReport(const ScanReport& report)
{
    for (const std::string& line : ScanReportDetails(report))
        CheckPrintable(line);
    CheckPrintable(ScanReportSummary(report));
    CheckPrintable(DeepScanSuggestion(report));
}

// A folder of its own for the cache file, removed at the end of the run.
struct CacheFolder {
    std::string path;
    CacheFolder()
    {
        char name[] = "/tmp/bkf-cache-fuzz-XXXXXX";
        if (::mkdtemp(name))
            path = name;
    }
    ~CacheFolder()
    {
        if (!path.empty()) {
            ::unlink(CatalogueCachePath(path, kFuzzedBackup).c_str());
            ::rmdir(path.c_str());
        }
    }
};

bool WriteFile(const std::string& path, const std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    return ::close(fd) == 0 && written;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const CacheFolder folder;
    if (folder.path.empty() || size > kMaxInput)
        return 0;
    const std::string body(reinterpret_cast<const char*>(data), size);
    if (!WriteFile(CatalogueCachePath(folder.path, kFuzzedBackup), FramedCache(body)))
        return 0;
    CheckingSinks sinks;
    ScanReport report;
    const std::atomic<bool> running{true};
    if (LoadCatalogueCache(folder.path, kFuzzedBackup, false, sinks, &sinks, report, running).completed)
        CheckReport(report);
    return 0;
}
