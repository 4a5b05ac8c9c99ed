// SPDX-License-Identifier: GPL-3.0-or-later
// The save worker against the window thread: progress arrives there in
// copies at most every 50 ms, the end arrives once, after the thread has
// ended, and a worker destroyed while it runs leaves nothing behind.

#include "catalogue_store.h"
#include "file_contents.h"
#include "save_worker.h"
#include "temp_path.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>

namespace {

constexpr std::size_t kFiles = 300;
constexpr std::size_t kFileSize = 100000;

// One backup of patterned bytes and one row per kFileSize bytes of it.
struct RowsOverBackup {
    test_files::Bytes bytes = test_files::Pattern(kFiles * kFileSize);
    TempFile backup{bytes};
    CatalogueStore store;
    std::vector<std::string> paths;

    RowsOverBackup()
    {
        for (std::size_t k = 0; k < kFiles; ++k)
            paths.push_back("BKF\\S\\file" + std::to_string(k));
        for (std::size_t k = 0; k < kFiles; ++k) {
            CatalogueRow row;
            row.path = paths[k];
            row.located = true;
            row.size = kFileSize;
            row.offset = k * kFileSize;
            store.SetTicked(store.Append(row), true);
        }
    }
};

} // namespace

TEST(SaveWorker, ProgressIsThrottledAndTheEndComesAfterTheThread)
{
    RowsOverBackup rows;
    TempDir dest;
    std::atomic<bool> running{false};
    int progressCalls = 0;
    int ends = 0;
    SaveProgressSnapshot last;
    ExtractionReport report;
    SaveWorker* self = nullptr;
    SaveWorker worker(
        [&](const SaveProgressSnapshot& snapshot) {
            EXPECT_EQ(QThread::currentThread(), qApp->thread());
            ++progressCalls;
            last = snapshot;
        },
        [&](const ExtractionReport& ended) {
            EXPECT_EQ(QThread::currentThread(), qApp->thread());
            EXPECT_FALSE(self->IsRunning()) << "the thread has been joined";
            ++ends;
            report = ended;
        });
    self = &worker;
    ASSERT_TRUE(worker.OpenBackup(rows.backup.Path(), nullptr));
    const auto start = std::chrono::steady_clock::now();
    worker.Start(SaveWorker::Job{rows.store, dest.Path() + "/", "Out", running});
    EXPECT_TRUE(running);
    const QDeadlineTimer deadline(60000);
    while (ends == 0 && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    const auto elapsed = std::chrono::steady_clock::now() - start;

    ASSERT_EQ(ends, 1);
    EXPECT_TRUE(report.completed);
    EXPECT_EQ(report.filesSaved, kFiles);
    EXPECT_EQ(last.rowCount, kFiles);
    EXPECT_EQ(last.rowPosition, kFiles - 1);
    EXPECT_EQ(last.bytesCopied, kFiles * kFileSize);
    EXPECT_EQ(last.bytesChosen, kFiles * kFileSize);
    EXPECT_EQ(last.currentPath, rows.paths.back());
    // The first and the last copies are handed over at once, the rest at most every 50 ms.
    const auto intervals = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() / 50;
    EXPECT_LE(progressCalls, intervals + 3) << "a copy per row or per slice would repaint the window each time";
    EXPECT_EQ(test_files::ReadFileBytes(test_files::OnDisk(dest.Path() + "/Out", rows.paths[7])),
              test_files::Slice(rows.bytes, 7 * kFileSize, kFileSize));
}

// A window closing under a running save: its worker is stopped and joined,
// and neither handler runs any more.
TEST(SaveWorker, DestroyedWhileRunningEndsQuietly)
{
    RowsOverBackup rows;
    TempDir dest;
    std::atomic<bool> running{false};
    int calls = 0;
    {
        SaveWorker worker([&](const SaveProgressSnapshot&) { ++calls; }, [&](const ExtractionReport&) { ++calls; });
        ASSERT_TRUE(worker.OpenBackup(rows.backup.Path(), nullptr));
        worker.Start(SaveWorker::Job{rows.store, dest.Path() + "/", "Out", running});
        running = false;
    }
    QApplication::processEvents();
    EXPECT_EQ(calls, 0);
}

TEST(SaveWorker, BackupThatCannotBeOpenedIsRefusedWithTheReason)
{
    TempDir dir;
    SaveWorker worker([](const SaveProgressSnapshot&) {}, [](const ExtractionReport&) {});
    std::string why;
    EXPECT_FALSE(worker.OpenBackup(dir.Child("missing.bkf"), &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(worker.OpenBackup(dir.Path(), &why)) << "a folder is not a backup";
}
