// SPDX-License-Identifier: GPL-3.0-or-later
// The scan worker: what BkfScanner reports, in which order, on which
// thread, and what it leaves behind (rows, open handles, a live worker). The window is a RecordingScannerUi; the backups come from
// BkfWriter. Every wait here is bounded: a deadlock fails the test instead of
// hanging the run.

#include "bkf_file_handle.h"
#include "bkf_scanner.h"
#include "bkf_writer.h"
#include "catalogue_collector.h"
#include "catalogue_scan.h"
#include "catalogue_store.h"
#include "open_files.h"
#include "recording_scanner_ui.h"
#include "scan_recorder.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <new>
#include <stdexcept>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const std::vector<std::string> kCompleted = {"ended:completed"};
const std::vector<std::string> kStopped = {"ended:stopped"};

constexpr auto kLimit = 30s;

// ---------------------------------------------------------------- backups

// Two sets, nested folders, a folder whose name cannot enter the catalogue,
// a file without a stream header and one whose data run into the second
// window: every kind of report the worker passes on.
std::vector<std::uint8_t> MixedBackup()
{
    BkfWriter w;
    w.Sset("Daily")
        .Dirb({"WINDOWS", "system32"})
        .File("notepad.exe", "MZ")
        .File("big.bin", std::string(70000, 'x'))
        .Dirb({"bad*name"})
        .File("lost.txt", "lost")
        .Sset("Weekly", 2)
        .Dirb({})
        .File("readme.txt", "hello")
        .File("nostream.dat", "", FileOptions().NoStan())
        .PadTo(3 * BkfWriter::kWindow + 1000);
    return w.Bytes();
}

// Several windows, each full of one-slot files, so that a stop has rows
// before it and rows it must prevent.
std::vector<std::uint8_t> ManyFilesBackup(std::size_t files = 600)
{
    BkfWriter w;
    w.Sset("Many");
    for (std::size_t i = 0; i < files; ++i) {
        if (i % 50 == 0)
            w.Dirb({"dir" + std::to_string(i / 50)});
        w.File("f" + std::to_string(i) + ".txt", "data");
    }
    return w.Bytes();
}

// ---------------------------------------------------------------- headless scans

std::string Describe(const RecordedRow& row)
{
    std::ostringstream out;
    out << row;
    return out.str();
}

std::vector<std::string> Describe(const std::vector<RecordedRow>& rows)
{
    std::vector<std::string> out;
    for (const RecordedRow& row : rows)
        out.push_back(Describe(row));
    return out;
}

// The rows that bkf-recover's scan (no window, no worker) finds in `path`.
std::vector<std::string> HeadlessRows(const std::string& path)
{
    BkfFileHandle file;
    if (!file.Open(path))
        throw std::runtime_error("cannot open " + path);
    CatalogueStore store;
    CatalogueCollector collector(store);
    std::atomic<bool> running{true};
    ScanCatalogue(file, running, collector.Sinks());
    std::vector<std::string> out;
    for (std::size_t index = 0; index < store.RowCount(); ++index) {
        const CatalogueRow row = store.Row(index);
        out.push_back(Describe(RecordedRow{std::string(row.path), row.located, row.size, row.offset}));
    }
    return out;
}

std::vector<std::string> WithPrefix(const std::vector<std::string>& events, const std::string& prefix)
{
    std::vector<std::string> out;
    for (const std::string& event : events) {
        if (event.compare(0, prefix.size(), prefix) == 0)
            out.push_back(event.substr(prefix.size()));
    }
    return out;
}

// ---------------------------------------------------------------- bounded waits

// Runs `call` on a thread of its own and reports whether it returned within
// `limit`. On a timeout it lets go of every thread that `ui` holds and waits
// once more; a call still stuck then is a deadlock that this process cannot
// recover from, so the run is aborted rather than left hanging.
bool ReturnsWithin(std::function<void()> call, RecordingScannerUi& ui, std::chrono::seconds limit = kLimit)
{
    auto done = std::async(std::launch::async, std::move(call));
    if (done.wait_for(limit) == std::future_status::ready) {
        done.get();
        return true;
    }
    ui.Release();
    if (done.wait_for(limit) != std::future_status::ready) {
        std::fprintf(stderr, "scanner_test: a call did not return even after its hold was released\n");
        std::abort();
    }
    return false;
}

// Starts a scan of `ui`'s backup and waits for its worker to end.
void ScanToTheEnd(BkfScanner& scanner, RecordingScannerUi& ui)
{
    ASSERT_EQ(scanner.StartScan(ui.BackupPath(), ui), BkfScanner::StartResult::Started);
    ASSERT_TRUE(WaitForWorkerEnd(scanner, kLimit)) << "the worker did not end";
    EXPECT_FALSE(ui.HoldTimedOut());
}

// ================================================================ a whole scan

TEST(ScannerWorkerTest, EndsOnceAfterEverythingItReported)
{
    TempFile backup(MixedBackup());
    RecordingScannerUi ui(backup.Path());
    BkfScanner scanner;
    ASSERT_NO_FATAL_FAILURE(ScanToTheEnd(scanner, ui));

    EXPECT_EQ(ui.Endings(), kCompleted);
    ASSERT_FALSE(ui.Events().empty());
    EXPECT_EQ(ui.Events().back(), "ended:completed");
    const ScanEnd end = ui.LastEnd();
    EXPECT_EQ(end.rowsFound, ui.Rows().size());
    // The folder with a refused name is in the report.
    EXPECT_EQ(end.report.lostDirectories.Total(), 1u);
    EXPECT_FALSE(scanner.IsRunning());
    EXPECT_FALSE(scanner.IsWorkerAlive());
}

// Fault: a failure outside the per-slot guard (here in the progress call
// after a window) ended the process; a row the window could not take
// (memory ran out) vanished without a word.
TEST(ScannerWorkerTest, FailuresOutsideABlockEndTheScanAsAFailureAndLostRowsAreCounted)
{
    struct Case {
        std::string throwAt; // the call that fails, by its event's start
        std::size_t occurrence;
        std::string ending;
        std::string failure;
        std::uint64_t notAdded;
    };
    const Case cases[] = {
        {"window:", 1, "ended:failed", "no thread", 0},
        {"row:", 2, "ended:completed", "", 1},
    };
    TempFile backup(MixedBackup());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.throwAt);
        RecordingScannerUi ui(backup.Path());
        std::size_t seen = 0; // on the worker thread only
        ui.SetObserver([&](const std::string& event) {
            if (event.rfind(c.throwAt, 0) == 0 && ++seen == c.occurrence)
                c.failure.empty() ? throw std::bad_alloc() : throw std::runtime_error(c.failure);
        });
        BkfScanner scanner;
        ASSERT_NO_FATAL_FAILURE(ScanToTheEnd(scanner, ui));
        EXPECT_EQ(ui.Endings(), std::vector<std::string>{c.ending});
        EXPECT_EQ(ui.LastEnd().failure, c.failure);
        EXPECT_EQ(ui.LastEnd().report.rowsNotAdded, c.notAdded);
        EXPECT_EQ(ScanReportSummary(ui.LastEnd().report).find("1 file found but not listed") != std::string::npos,
                  c.notAdded == 1);
        // A file not listed is not saved: a save of everything listed is not the whole backup.
        EXPECT_EQ(ui.LastEnd().report.FilesMayBeMissing(), c.notAdded > 0);
    }
}

TEST(ScannerWorkerTest, ReportsWhatAHeadlessScanFindsInTheSameOrder)
{
    TempFile backup(MixedBackup());
    RecordingScannerUi ui(backup.Path());
    BkfScanner scanner;
    ASSERT_NO_FATAL_FAILURE(ScanToTheEnd(scanner, ui));

    const std::vector<std::string> expectedRows = HeadlessRows(backup.Path());
    ASSERT_GE(expectedRows.size(), 5u);
    EXPECT_EQ(Describe(ui.Rows()), expectedRows);

    // Folder paths, file counts and window positions arrive as the scan makes
    // them, and rows and paths keep their interleaving.
    const ScanResult headless = ScanPath(backup.Path());
    const std::vector<std::string> reports = ui.ScanReports();
    // The recorder counts a row's path as a path too; the scan hands over folders only.
    std::vector<std::string> expectedInterleaving;
    std::vector<std::string> expectedPaths;
    for (std::size_t i = 0; i < headless.events.size(); ++i) {
        const ScanEvent& event = headless.events[i];
        if (event.kind == ScanEvent::Path && i > 0 && headless.events[i - 1] == ScanEvent{ScanEvent::Row, event.path})
            continue;
        expectedInterleaving.push_back((event.kind == ScanEvent::Row ? "row:" : "path:") + event.path);
        if (event.kind == ScanEvent::Path)
            expectedPaths.push_back(event.path);
    }
    EXPECT_EQ(WithPrefix(reports, "path:"), expectedPaths);
    std::vector<std::string> expectedCounts;
    for (const std::uint64_t count : headless.fileCounts)
        expectedCounts.push_back(std::to_string(count));
    EXPECT_EQ(WithPrefix(reports, "files:"), expectedCounts);
    std::vector<std::string> expectedWindows;
    for (const WindowReport& window : headless.windows)
        expectedWindows.push_back(std::to_string(window.position) + "/" + std::to_string(window.fileSize));
    EXPECT_EQ(WithPrefix(reports, "window:"), expectedWindows);
    std::vector<std::string> interleaving;
    for (const std::string& report : reports) {
        if (report.rfind("row:", 0) == 0 || report.rfind("path:", 0) == 0)
            interleaving.push_back(report);
    }
    EXPECT_EQ(interleaving, expectedInterleaving);
    std::string trace;
    for (const std::string& text : WithPrefix(ui.Events(), "trace:"))
        trace += text;
    EXPECT_FALSE(trace.empty());
    EXPECT_EQ(trace, headless.trace);

    // Every report comes before the end.
    EXPECT_EQ(ui.Events().back(), "ended:completed");
}

TEST(ScannerWorkerTest, EveryScanNumbersSetsAndLostFoldersFromOne)
{
    TempFile backup(MixedBackup());
    const std::vector<std::string> expected = {
        R"(BKF\BACKUP SET 1(_Daily)\WINDOWS\system32\notepad.exe)",
        R"(BKF\BACKUP SET 1(_Daily)\WINDOWS\system32\big.bin)",
        R"(BKF\BACKUP SET 1(_Daily)\lost dir0\lost.txt)",
        R"(BKF\BACKUP SET 2(_Weekly)\readme.txt)",
        R"(BKF\BACKUP SET 2(_Weekly)\nostream.dat)",
    };
    BkfScanner scanner;
    for (int round = 1; round <= 2; ++round) {
        RecordingScannerUi ui(backup.Path());
        ASSERT_NO_FATAL_FAILURE(ScanToTheEnd(scanner, ui));
        EXPECT_EQ(WithPrefix(ui.Events(), "row:"), expected) << "scan " << round;
    }
}

TEST(ScannerWorkerTest, BackupIsOpenWhileScanningAndClosedBeforeTheEnd)
{
    TempFile backup(MixedBackup());
    RecordingScannerUi ui(backup.Path());
    // How many handles the process holds on the backup at three steps of the
    // worker, looked at on the worker thread during the call.
    std::mutex seenMutex;
    std::vector<std::string> seen;
    ui.SetObserver([&](const std::string& event) {
        const char* step = event.rfind("window:", 0) == 0 ? "scanning"
                           : event == "ended:completed"   ? "ended"
                                                          : nullptr;
        if (step) {
            std::lock_guard<std::mutex> lock(seenMutex);
            seen.push_back(std::string(step) + ": " + std::to_string(FdsOn(backup.Path()).size()));
        }
    });
    BkfScanner scanner;
    ASSERT_NO_FATAL_FAILURE(ScanToTheEnd(scanner, ui));

    std::lock_guard<std::mutex> lock(seenMutex);
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen.front(), "scanning: 1");
    EXPECT_EQ(seen.back(), "ended: 0");
}

TEST(ScannerWorkerTest, NoHandleOnTheBackupOnceTheWorkerHasEnded)
{
    TempFile backup(MixedBackup());
    RecordingScannerUi ui(backup.Path());
    BkfScanner scanner;
    ASSERT_NO_FATAL_FAILURE(ScanToTheEnd(scanner, ui));

    EXPECT_TRUE(FdsOn(backup.Path()).empty());
    // Another program may now open it, even for writing.
    const int writer = ::open(backup.Path().c_str(), O_WRONLY);
    EXPECT_GE(writer, 0) << std::strerror(errno);
    if (writer >= 0)
        ::close(writer);
}

// ================================================================ open failures

const std::vector<std::string> kOpenFailure = {"ended:open-failed"};

void ExpectOpenFailure(const std::string& path)
{
    RecordingScannerUi ui(path);
    BkfScanner scanner;
    EXPECT_EQ(scanner.StartScan(ui.BackupPath(), ui), BkfScanner::StartResult::OpenFailed);
    EXPECT_FALSE(scanner.IsWorkerAlive());
    EXPECT_FALSE(scanner.IsRunning());
    EXPECT_EQ(ui.Events(), kOpenFailure);
    EXPECT_FALSE(ui.LastEnd().openError.empty()); // the system's reason
    EXPECT_TRUE(FdsOn(path).empty());
}

TEST(ScannerOpenFailureTest, MissingFile)
{
    TempDir dir;
    ExpectOpenFailure(dir.Child("no such backup.bkf"));
}

TEST(ScannerOpenFailureTest, Folder)
{
    TempDir dir;
    ExpectOpenFailure(dir.Path());
}

TEST(ScannerOpenFailureTest, EmptyPath)
{
    ExpectOpenFailure(std::string());
}

TEST(ScannerOpenFailureTest, AFailedOpenAfterAScanStartsNothing)
{
    TempFile backup(MixedBackup());
    RecordingScannerUi first(backup.Path());
    BkfScanner scanner;
    ASSERT_NO_FATAL_FAILURE(ScanToTheEnd(scanner, first));

    const std::vector<std::string> firstEvents = first.Events();

    TempDir dir;
    RecordingScannerUi second(dir.Child("gone.bkf"));
    EXPECT_EQ(scanner.StartScan(second.BackupPath(), second), BkfScanner::StartResult::OpenFailed);
    EXPECT_FALSE(scanner.IsWorkerAlive());
    EXPECT_EQ(second.Events(), kOpenFailure);
    EXPECT_EQ(first.Events(), firstEvents);
    EXPECT_TRUE(FdsOn(backup.Path()).empty());
}

TEST(ScannerOpenFailureTest, GoingBackStopsTheScanFromInsideStartScan)
{
    // The wizard's OnBack calls StopScan, here from within the failed
    // StartScan itself.
    TempDir dir;
    RecordingScannerUi ui(dir.Child("missing.bkf"));
    BkfScanner scanner;
    ui.SetObserver([&](const std::string& event) {
        if (event == "ended:open-failed")
            scanner.StopScan();
    });
    BkfScanner::StartResult result = BkfScanner::StartResult::Started;
    EXPECT_TRUE(ReturnsWithin([&] { result = scanner.StartScan(ui.BackupPath(), ui); }, ui));
    EXPECT_EQ(result, BkfScanner::StartResult::OpenFailed);
    EXPECT_EQ(ui.Events(), kOpenFailure);
    EXPECT_FALSE(scanner.IsWorkerAlive());
}

// ================================================================ read-only backups (F4)

TEST(ScannerReadOnlyBackupTest, ScansAFileWithoutWritePermissionThroughAReadOnlyHandle)
{
    TempFile backup(ManyFilesBackup());
    fs::permissions(backup.Path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ASSERT_EQ(fs::status(backup.Path()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    RecordingScannerUi ui(backup.Path());
    ui.BlockAt("window:");
    BkfScanner scanner;
    ASSERT_EQ(scanner.StartScan(ui.BackupPath(), ui), BkfScanner::StartResult::Started);
    ASSERT_TRUE(ui.WaitUntilBlocked(kLimit));

    // Held in the middle of the scan: the one handle on the backup reads only.
    const std::vector<int> fds = FdsOn(backup.Path());
    ASSERT_EQ(fds.size(), 1u);
    EXPECT_EQ(AccessMode(fds.front()), O_RDONLY);

    ui.Release();
    ASSERT_TRUE(WaitForWorkerEnd(scanner, kLimit));
    EXPECT_EQ(Describe(ui.Rows()), HeadlessRows(backup.Path()));
    EXPECT_EQ(ui.Endings(), kCompleted);
}

// Exit codes of the child that scans on a read-only mount.
enum MountChildResult {
    kMountScanOk = 0,
    kMountScanWritable = 10,   // the mount let the backup open for writing
    kMountScanNotStarted = 11, // StartScan did not start
    kMountScanNoEnd = 12,      // the worker did not end
    kMountScanWrongRows = 13,  // rows differ from the headless scan
    kMountScanNotCompleted = 14, // the scan did not end as completed
    kMountUnavailable = 77,    // no mount namespace here
};

int ScanOnReadOnlyMount(const std::string& dir, const std::string& path, const std::vector<std::string>& expectedRows)
{
    if (::unshare(CLONE_NEWNS) != 0 && ::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return kMountUnavailable;
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount(dir.c_str(), dir.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
        ::mount(nullptr, dir.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
        return kMountUnavailable;
    // A read-only mount refuses write access even to root.
    const int writable = ::open(path.c_str(), O_RDWR);
    if (writable >= 0)
        return kMountScanWritable;
    if (errno != EROFS)
        return kMountUnavailable; // refused for another reason: proves nothing

    RecordingScannerUi ui(path);
    BkfScanner scanner;
    if (scanner.StartScan(ui.BackupPath(), ui) != BkfScanner::StartResult::Started)
        return kMountScanNotStarted;
    if (!WaitForWorkerEnd(scanner, kLimit))
        return kMountScanNoEnd;
    if (Describe(ui.Rows()) != expectedRows)
        return kMountScanWrongRows;
    if (ui.Endings() != kCompleted)
        return kMountScanNotCompleted;
    return kMountScanOk;
}

TEST(ScannerReadOnlyBackupTest, ScansABackupOnAReadOnlyMount)
{
    TempFile backup(MixedBackup());
    const std::string dir = fs::path(backup.Path()).parent_path().string();
    const std::vector<std::string> expectedRows = HeadlessRows(backup.Path());
    ASSERT_FALSE(expectedRows.empty());

    // The mount lives in a mount namespace of a child process, so nothing
    // outside this test ever sees it.
    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0) << std::strerror(errno);
    if (child == 0)
        ::_exit(ScanOnReadOnlyMount(dir, backup.Path(), expectedRows));

    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + 2 * kLimit;
    pid_t waited = 0;
    while ((waited = ::waitpid(child, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    if (waited == 0) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        FAIL() << "the scan on the read-only mount did not end";
    }
    ASSERT_TRUE(WIFEXITED(status)) << "the child died with signal " << WTERMSIG(status);
    if (WEXITSTATUS(status) == kMountUnavailable)
        GTEST_SKIP() << "no read-only bind mount possible here";
    EXPECT_EQ(WEXITSTATUS(status), kMountScanOk)
        << "10 writable mount, 11 not started, 12 no end, 13 wrong rows, 14 not completed";
}

// ================================================================ nothing found

void ExpectNothingFound(const std::vector<std::uint8_t>& bytes)
{
    TempFile backup(bytes);
    RecordingScannerUi ui(backup.Path());
    BkfScanner scanner;
    ASSERT_NO_FATAL_FAILURE(ScanToTheEnd(scanner, ui));

    EXPECT_EQ(ui.Endings(), kCompleted);
    EXPECT_EQ(ui.LastEnd().rowsFound, 0u);
    EXPECT_EQ(ui.RowsNow(), 0u);
    EXPECT_TRUE(FdsOn(backup.Path()).empty());
}

TEST(ScannerNothingFoundTest, AllZeros)
{
    ExpectNothingFound(std::vector<std::uint8_t>(3 * BkfWriter::kWindow + 4096, 0));
}

TEST(ScannerNothingFoundTest, EmptyFile)
{
    ExpectNothingFound({});
}

TEST(ScannerNothingFoundTest, OnlyFolderBlocks)
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"WINDOWS"}).Dirb({"WINDOWS", "system32"}).Dirb({}).PadTo(2 * BkfWriter::kWindow);
    ExpectNothingFound(w.Bytes());
}

TEST(ScannerNothingFoundTest, OnlyFilesWhoseNamesAreRefused)
{
    BkfWriter w;
    w.Sset("Daily").Dirb({"docs"}).File("a|b.txt", "x").File("..", "y").File("", "z");
    ExpectNothingFound(w.Bytes());
}

// ================================================================ stopping

// Holds the worker at `prefix`/`occurrence`, stops the scan from this thread
// while it is held, lets it go and waits for the end. Returns the number of
// rows that had been reported when the stop was asked for.
std::size_t StopWhileHeld(BkfScanner& scanner, RecordingScannerUi& ui, const std::string& prefix,
                          std::size_t occurrence)
{
    ui.BlockAt(prefix, occurrence);
    EXPECT_EQ(scanner.StartScan(ui.BackupPath(), ui), BkfScanner::StartResult::Started);
    EXPECT_TRUE(ui.WaitUntilBlocked(kLimit)) << "the worker never reached " << prefix;
    const std::size_t rowsAtStop = ui.RowsNow();
    // StopScan must return while the worker is still held.
    EXPECT_TRUE(ReturnsWithin([&] { scanner.StopScan(); }, ui)) << "StopScan waited for the worker";
    EXPECT_FALSE(scanner.IsRunning());
    EXPECT_TRUE(scanner.IsWorkerAlive());
    ui.Release();
    EXPECT_TRUE(WaitForWorkerEnd(scanner, kLimit)) << "the worker did not end after the stop";
    EXPECT_FALSE(ui.HoldTimedOut());
    return rowsAtStop;
}

// A stopped scan keeps exactly the first `count` rows of a complete one.
void ExpectFirstRowsOf(const std::vector<std::string>& all, const std::vector<std::string>& rows, std::size_t count)
{
    EXPECT_EQ(rows.size(), count);
    EXPECT_EQ(rows, std::vector<std::string>(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(rows.size())));
}

TEST(ScannerStopTest, StopAtAWindowEndsBeforeTheNextSlotAndKeepsTheRows)
{
    TempFile backup(ManyFilesBackup());
    const std::vector<std::string> all = HeadlessRows(backup.Path());
    RecordingScannerUi ui(backup.Path());
    BkfScanner scanner;
    const std::size_t rowsAtStop = StopWhileHeld(scanner, ui, "window:", 2);
    ASSERT_GT(rowsAtStop, 0u);
    ASSERT_LT(rowsAtStop, all.size());

    // The flag is looked at before every slot: nothing after the held window.
    const std::vector<std::string> rows = Describe(ui.Rows());
    ExpectFirstRowsOf(all, rows, rowsAtStop);
    EXPECT_EQ(WithPrefix(ui.Events(), "window:").size(), 2u);

    EXPECT_EQ(ui.Endings(), kStopped);
    EXPECT_EQ(ui.LastEnd().rowsFound, rows.size());
    EXPECT_TRUE(FdsOn(backup.Path()).empty());
}

TEST(ScannerStopTest, StopInsideARowEndsWithThatSlot)
{
    TempFile backup(ManyFilesBackup());
    const std::vector<std::string> all = HeadlessRows(backup.Path());
    RecordingScannerUi ui(backup.Path());
    BkfScanner scanner;
    // A row in the middle of the second window.
    const std::size_t rowsAtStop = StopWhileHeld(scanner, ui, "row:", 200);
    ASSERT_EQ(rowsAtStop, 200u);
    ASSERT_LT(rowsAtStop, all.size());

    const std::vector<std::string> rows = Describe(ui.Rows());
    ExpectFirstRowsOf(all, rows, rowsAtStop);
    // The held row's slot is finished: the count the window shows last is
    // that of the rows kept.
    const std::vector<std::string> counts = WithPrefix(ui.ScanReports(), "files:");
    ASSERT_FALSE(counts.empty());
    EXPECT_EQ(counts.back(), "200");
    EXPECT_EQ(ui.Endings(), kStopped);
    EXPECT_EQ(ui.LastEnd().rowsFound, 200u);
}

TEST(ScannerStopTest, StopBeforeTheFirstFileEndsWithNoData)
{
    TempFile backup(ManyFilesBackup());
    RecordingScannerUi ui(backup.Path());
    BkfScanner scanner;
    // Held in the set block of the very first slot, before any file.
    const std::size_t rowsAtStop = StopWhileHeld(scanner, ui, "trace:", 1);
    EXPECT_EQ(rowsAtStop, 0u);
    EXPECT_EQ(ui.RowsNow(), 0u);
    EXPECT_TRUE(ui.ScanReports().empty());
    EXPECT_EQ(ui.Endings(), kStopped);
    EXPECT_EQ(ui.LastEnd().rowsFound, 0u);
    EXPECT_TRUE(FdsOn(backup.Path()).empty());
}

TEST(ScannerStopTest, StopWhenIdleChangesNothing)
{
    BkfScanner scanner;
    scanner.StopScan();
    EXPECT_FALSE(scanner.IsRunning());

    TempFile backup(MixedBackup());
    RecordingScannerUi ui(backup.Path());
    ASSERT_NO_FATAL_FAILURE(ScanToTheEnd(scanner, ui));
    const std::vector<std::string> before = ui.Events();
    scanner.StopScan();
    EXPECT_EQ(ui.Events(), before);
}

// ================================================================ one worker at a time

TEST(ScannerBusyTest, StartWhileScanningIsRefused)
{
    TempFile backup(ManyFilesBackup());
    RecordingScannerUi first(backup.Path());
    first.BlockAt("window:");
    BkfScanner scanner;
    ASSERT_EQ(scanner.StartScan(first.BackupPath(), first), BkfScanner::StartResult::Started);
    ASSERT_TRUE(first.WaitUntilBlocked(kLimit));

    RecordingScannerUi second(backup.Path());
    BkfScanner::StartResult result = BkfScanner::StartResult::Started;
    EXPECT_TRUE(ReturnsWithin([&] { result = scanner.StartScan(second.BackupPath(), second); }, first))
        << "StartScan waited";
    EXPECT_EQ(result, BkfScanner::StartResult::Busy);
    EXPECT_TRUE(second.Events().empty());
    EXPECT_EQ(FdsOn(backup.Path()).size(), 1u);
    EXPECT_TRUE(scanner.IsRunning());

    first.Release();
    ASSERT_TRUE(WaitForWorkerEnd(scanner, kLimit));
    // The first scan went on to its end untouched.
    EXPECT_EQ(Describe(first.Rows()), HeadlessRows(backup.Path()));
    EXPECT_TRUE(second.Events().empty());
}

TEST(ScannerBusyTest, StartWhileTheWorkerEndsIsRefusedAndASecondScanStartsFromEmpty)
{
    TempFile backup(MixedBackup());
    RecordingScannerUi first(backup.Path());
    // The end report, the worker's last step: running is cleared but the
    // worker is still alive.
    first.BlockAt("ended:");
    BkfScanner scanner;
    ASSERT_EQ(scanner.StartScan(first.BackupPath(), first), BkfScanner::StartResult::Started);
    ASSERT_TRUE(first.WaitUntilBlocked(kLimit));
    EXPECT_FALSE(scanner.IsRunning());
    EXPECT_TRUE(scanner.IsWorkerAlive());

    RecordingScannerUi second(backup.Path());
    BkfScanner::StartResult result = BkfScanner::StartResult::Started;
    EXPECT_TRUE(ReturnsWithin([&] { result = scanner.StartScan(second.BackupPath(), second); }, first))
        << "StartScan waited";
    EXPECT_EQ(result, BkfScanner::StartResult::Busy);
    EXPECT_TRUE(second.Events().empty());
    EXPECT_TRUE(FdsOn(backup.Path()).empty()); // closed by the first worker, not reopened
    EXPECT_FALSE(scanner.IsRunning());

    first.Release();
    ASSERT_TRUE(WaitForWorkerEnd(scanner, kLimit));
    EXPECT_TRUE(second.Events().empty());

    ASSERT_NO_FATAL_FAILURE(ScanToTheEnd(scanner, second));
    EXPECT_EQ(second.Events(), first.Events());
    EXPECT_EQ(Describe(second.Rows()), HeadlessRows(backup.Path()));
    EXPECT_EQ(Describe(first.Rows()), Describe(second.Rows()));
}

TEST(ScannerBusyTest, ManyScansInARowOnOneScanner)
{
    TempFile backup(MixedBackup());
    BkfScanner scanner;
    RecordingScannerUi reference(backup.Path());
    ASSERT_NO_FATAL_FAILURE(ScanToTheEnd(scanner, reference));
    for (int round = 0; round < 20; ++round) {
        RecordingScannerUi ui(backup.Path());
        ASSERT_NO_FATAL_FAILURE(ScanToTheEnd(scanner, ui));
        ASSERT_EQ(ui.Events(), reference.Events()) << "round " << round;
    }
    EXPECT_TRUE(FdsOn(backup.Path()).empty());
}

// ================================================================ lifetime

TEST(ScannerLifetimeTest, DestroyingTheScannerWhileItsWorkerIsHeldEndsCleanly)
{
    TempFile backup(ManyFilesBackup());
    RecordingScannerUi ui(backup.Path()); // outlives the scanner, as the window does
    auto scanner = std::make_unique<BkfScanner>();
    BkfScanner* raw = scanner.get();
    // The hold lets go once the running flag is cleared, which only the
    // destructor does here.
    ui.BlockAt("window:", 1, [raw] { return !raw->IsRunning(); });
    ASSERT_EQ(scanner->StartScan(ui.BackupPath(), ui), BkfScanner::StartResult::Started);
    ASSERT_TRUE(ui.WaitUntilBlocked(kLimit));

    EXPECT_TRUE(ReturnsWithin([&] { scanner.reset(); }, ui)) << "the destructor hung";
    EXPECT_FALSE(ui.HoldTimedOut()) << "the destructor did not clear the running flag";
    EXPECT_EQ(ui.Endings(), kStopped);
    EXPECT_TRUE(FdsOn(backup.Path()).empty());
}

TEST(ScannerLifetimeTest, DestroyingTheScannerDuringAScanEndsIt)
{
    TempFile backup(ManyFilesBackup(3000));
    RecordingScannerUi ui(backup.Path());
    auto scanner = std::make_unique<BkfScanner>();
    ASSERT_EQ(scanner->StartScan(ui.BackupPath(), ui), BkfScanner::StartResult::Started);
    EXPECT_TRUE(ReturnsWithin([&] { scanner.reset(); }, ui)) << "the destructor hung";
    EXPECT_TRUE(FdsOn(backup.Path()).empty());
    // However far it got, the worker reported its end.
    EXPECT_EQ(ui.Endings().size(), 1u);
}

TEST(ScannerLifetimeTest, DestroyingAScannerWhoseWorkerEndedWithoutBeingJoined)
{
    TempFile backup(MixedBackup());
    RecordingScannerUi ui(backup.Path());
    auto scanner = std::make_unique<BkfScanner>();
    ASSERT_EQ(scanner->StartScan(ui.BackupPath(), ui), BkfScanner::StartResult::Started);
    const auto deadline = std::chrono::steady_clock::now() + kLimit;
    while (scanner->IsWorkerAlive() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    ASSERT_FALSE(scanner->IsWorkerAlive());
    EXPECT_TRUE(ReturnsWithin([&] { scanner.reset(); }, ui));
    EXPECT_EQ(ui.Endings(), kCompleted);
}

} // namespace
