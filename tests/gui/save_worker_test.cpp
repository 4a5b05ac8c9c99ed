// SPDX-License-Identifier: GPL-3.0-or-later
// The save worker against the window thread: progress arrives there in
// copies at most every 50 ms, and the end arrives once, after the thread has
// ended.

#include "catalogue_store.h"
#include "file_contents.h"
#include "run_in_child.h"
#include "save_worker.h"
#include "temp_path.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include <sys/resource.h>

TEST(SaveWorker, ProgressIsThrottledAndTheEndComesAfterTheThread)
{
    constexpr std::size_t kFiles = 300, kSize = 100000;
    const test_files::Bytes bytes = test_files::Pattern(kFiles * kSize);
    const TempFile backup(bytes);
    CatalogueStore store;
    for (std::size_t k = 0; k < kFiles; ++k) {
        const std::string path = "BKF\\S\\file" + std::to_string(k);
        store.SetTicked(store.Append(CatalogueRow{path, true, kSize, k * kSize, true}), true);
    }
    TempDir dest;
    int progressCalls = 0, ends = 0;
    SaveProgressSnapshot last;
    SaveWorker* self = nullptr;
    SaveWorker worker(
        [&](const SaveProgressSnapshot& snapshot) {
            EXPECT_EQ(QThread::currentThread(), qApp->thread());
            ++progressCalls;
            last = snapshot;
        },
        [&](const ExtractionReport& report) {
            EXPECT_EQ(QThread::currentThread(), qApp->thread());
            EXPECT_FALSE(self->IsRunning()) << "the thread has been joined";
            EXPECT_EQ(report.filesSaved, kFiles);
            ++ends;
        });
    self = &worker;
    BkfFileHandle scanned;
    ASSERT_TRUE(scanned.Open(backup.Path()));
    ASSERT_TRUE(worker.OpenBackup(backup.Path(), scanned.OpenedAs(), nullptr));
    const auto start = std::chrono::steady_clock::now();
    std::string failure;
    ASSERT_TRUE(worker.Start(SaveWorker::Job{store, dest.Path() + "/", "Out", {}}, &failure)) << failure;
    const QDeadlineTimer deadline(60000);
    while (ends == 0 && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    const auto elapsed = std::chrono::steady_clock::now() - start;

    ASSERT_EQ(ends, 1);
    EXPECT_EQ(last.rowCount, kFiles);
    EXPECT_EQ(last.rowPosition, kFiles - 1);
    EXPECT_EQ(last.bytesCopied, kFiles * kSize);
    EXPECT_EQ(last.currentPath, store.Path(kFiles - 1));
    // The first and the last copies go at once, the rest at most every 50 ms.
    const auto intervals = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() / 50;
    EXPECT_LE(progressCalls, intervals + 3) << "a copy per row or per slice would repaint the window each time";
    EXPECT_EQ(test_files::ReadFileBytes(test_files::OnDisk(dest.Path() + "/Out", store.Path(7))),
              test_files::Slice(bytes, 7 * kSize, kSize));
}

// Fault: a thread that could not be started ended the program, whether the
// save worker's own (in Start) or one the save needs (its read-ahead, in
// Run). Each case runs in a child as "nobody" with at most `tasks` threads.
TEST(SaveWorker, AThreadThatCannotBeStartedFailsTheSaveWithTheReason)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run as another user";
    const TempFile backup(test_files::Pattern(300000));
    CatalogueStore store;
    store.SetTicked(store.Append(CatalogueRow{"BKF\\S\\f", true, 300000, 0, true}), true);
    for (const rlim_t tasks : {1, 2}) {
        SCOPED_TRACE(tasks);
        TempDir dest;
        std::filesystem::permissions(dest.Path(), std::filesystem::perms::all);
        const auto status = RunInChild([&] {
            std::string failure;
            int ends = 0;
            SaveWorker worker([](const SaveProgressSnapshot&) {},
                              [&](const ExtractionReport& report) { failure = report.failure, ++ends; });
            BkfFileHandle scanned;
            const rlimit limit{tasks, tasks};
            if (!scanned.Open(backup.Path()) || !worker.OpenBackup(backup.Path(), scanned.OpenedAs(), nullptr)
                || ::setgid(65534) != 0 || ::setuid(65534) != 0 || ::setrlimit(RLIMIT_NPROC, &limit) != 0)
                return 2;
            if (worker.Start(SaveWorker::Job{store, dest.Path() + "/", "Out", {}}, &failure)) {
                const QDeadlineTimer deadline(20000);
                while (ends == 0 && !deadline.hasExpired())
                    QApplication::processEvents(QEventLoop::AllEvents, 5);
            }
            return failure == "Resource temporarily unavailable" ? 0 : 3;
        });
        EXPECT_EQ(status, std::optional<int>(0));
    }
}
