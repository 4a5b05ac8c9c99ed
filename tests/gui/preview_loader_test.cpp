// SPDX-License-Identifier: GPL-3.0-or-later
// The loader hands the window only the newest request's preview, and none
// of a backup that is no longer the one scanned.

#include "preview_loader.h"
#include "temp_path.h"

#include <QApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

TEST(PreviewLoader, OnlyTheNewestRequestReachesTheWindow)
{
    const std::string text = "first file\nsecond file\n";
    TempFile file(std::vector<std::uint8_t>(text.begin(), text.end()));
    BkfFileHandle backup;
    ASSERT_TRUE(backup.Open(file.Path()));
    FileIdentity other = backup.OpenedAs();
    other.size += 1;
    const auto request = [&](std::uint64_t offset, std::uint64_t size, const FileIdentity& scanned) {
        CatalogueRow row;
        row.located = true;
        row.offset = offset;
        row.size = size;
        return PreviewRequest{file.Path(), scanned, row, QSize(100, 100)};
    };
    const struct {
        const char* name;
        std::vector<PreviewRequest> requests;
        bool opened;
        QString text;
    } cases[] = {
        {"newest wins", {request(0, 10, backup.OpenedAs()), request(11, 11, backup.OpenedAs())}, true, "second file"},
        {"another backup", {request(0, 10, other)}, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<PreviewResult> results;
        PreviewLoader loader([&](const PreviewResult& result) { results.push_back(result); });
        for (const PreviewRequest& r : c.requests) {
            loader.Request(r);
            // Time for the worker to finish it: its result then waits in the queue when the next comes.
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        const QDeadlineTimer deadline(10000);
        while (results.empty() && !deadline.hasExpired())
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        QApplication::processEvents(); // an older result queued behind would show now
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results[0].opened, c.opened);
        EXPECT_EQ(results[0].text, c.text);
    }
}
