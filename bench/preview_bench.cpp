// SPDX-License-Identifier: GPL-3.0-or-later
// Times the preview of a text file from request to the pane showing it: the
// read of the file's first bytes from a backup in the page cache on the
// loader's thread, the kind and encoding guess, the decode, the hand-over to
// the window thread and the pane's repaint. Prints best, median and worst of
// several runs against the 100 ms target; asserts nothing.
//
//   QT_QPA_PLATFORM=offscreen build/bench/preview_bench

#include "file_preview_pane.h"
#include "preview_loader.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 21;
constexpr double kTargetMs = 100.0;
constexpr std::uint64_t kDataAt = 4096;

// Lines of text, `size` bytes in all, after kDataAt bytes of zeros.
std::string WriteBackup(const QString& folder, std::size_t size)
{
    std::string text;
    for (int line = 0; text.size() < size; ++line)
        text += "Line " + std::to_string(line) + ": the quick brown fox jumps over the lazy dog. Grüße\n";
    text.resize(size);
    const std::string path = (folder + QStringLiteral("/preview-%1.bkf").arg(size)).toStdString();
    std::ofstream out(path, std::ios::binary);
    out << std::string(kDataAt, '\0') << text;
    return path;
}

// Milliseconds from the request until the pane has shown the text, per run.
std::vector<double> TimePreviews(const std::string& path, std::size_t size)
{
    FilePreviewPane pane;
    pane.resize(500, 700);
    pane.show();
    bool shown = false;
    PreviewLoader loader([&](const PreviewResult& result) {
        pane.ShowResult(result);
        pane.repaint();
        shown = true;
    });
    BkfFileHandle backup;
    backup.Open(path);
    CatalogueRow row;
    row.located = true;
    row.offset = kDataAt;
    row.size = size;
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        shown = false;
        QElapsedTimer timer;
        timer.start();
        pane.ShowReading(QStringLiteral("text.txt"), row);
        loader.Request(PreviewRequest{path, backup.OpenedAs(), row, pane.PictureRoom()});
        while (!shown)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    for (const std::size_t size : {std::size_t{4096}, std::size_t{1} << 20, std::size_t{8} << 20}) {
        const std::string path = WriteBackup(folder.path(), size);
        const std::vector<double> times = TimePreviews(path, size); // the first run fills the page cache
        const double median = times[times.size() / 2];
        std::printf("preview of a %zu-byte text file: best %.1f ms, median %.1f ms, worst %.1f ms "
                    "(target %.0f ms: median %.2f x)\n",
                    size, times.front(), median, times.back(), kTargetMs, median / kTargetMs);
    }
    return 0;
}
