// SPDX-License-Identifier: GPL-3.0-or-later
// Times a scan through the window-thread bridge (worker thread, batches
// applied to the models with views attached) against the same scan headless,
// and prints the ratio. Usage: scan_bridge_bench BACKUP

#include "bkf_file_handle.h"
#include "bkf_scanner.h"
#include "catalogue_collector.h"
#include "catalogue_list_model.h"
#include "catalogue_scan.h"
#include "catalogue_store.h"
#include "folder_tree_model.h"
#include "scan_ui_bridge.h"
#include "scan_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QTableView>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

class QuietWindow : public ScanWindow {
public:
    void SetScanPositionText(const QString&) override {}
    void SetFileCountText(const QString&) override {}
    void SetProgressPosition(int) override {}
    void ScanFinished(const ScanEnd&) override {}
};

double HeadlessSeconds(const char* path, std::size_t& rows)
{
    BkfFileHandle file;
    if (!file.Open(path))
        return -1;
    CatalogueStore store;
    CatalogueCollector collector(store);
    std::atomic<bool> running{true};
    QElapsedTimer timer;
    timer.start();
    ScanCatalogue(file, running, collector.Sinks());
    rows = store.RowCount();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

double BridgeSeconds(const char* path, std::size_t& rows, bool withViews)
{
    CatalogueStore store;
    FolderTreeModel tree(store);
    CatalogueListModel list(store);
    QTreeView treeView;
    QTableView tableView;
    treeView.setModel(&tree);
    tableView.setModel(&list);
    if (withViews) {
        treeView.show();
        tableView.show();
    } else {
        treeView.setModel(nullptr);
        tableView.setModel(nullptr);
    }
    QuietWindow window;
    ScanUiBridge bridge(window, store, tree, list);
    BkfScanner scanner;

    QElapsedTimer timer;
    timer.start();
    if (scanner.StartScan(path, bridge) != BkfScanner::StartResult::Started)
        return -1;
    // Serve the worker from a real event loop, as the window does, rather than spinning.
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!scanner.IsWorkerAlive())
            loop.quit();
    });
    poll.start(5);
    loop.exec();
    QCoreApplication::processEvents();
    rows = store.RowCount();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: scan_bridge_bench BACKUP\n");
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The window's scan writes its diagnostic trace to standard output: the
    // figures go to a copy of it taken before it is sent to /dev/null.
    std::FILE* figures = fdopen(dup(fileno(stdout)), "w");
    if (!figures || !std::freopen("/dev/null", "w", stdout))
        return 1;
    std::size_t headlessRows = 0;
    std::size_t bridgeRows = 0;
    const bool withViews = !qEnvironmentVariableIsSet("BKF_BENCH_NO_VIEWS");
    // Best of three, taken in turn: the first pass over pages that have not
    // been touched for a while can take several times as long on a virtual
    // machine, whichever scan meets them.
    double headless = -1;
    double bridge = -1;
    for (int run = 0; run < 3; ++run) {
        const double headlessRun = HeadlessSeconds(argv[1], headlessRows);
        const double bridgeRun = BridgeSeconds(argv[1], bridgeRows, withViews);
        if (headlessRun < 0 || bridgeRun < 0) {
            std::fprintf(stderr, "cannot scan %s\n", argv[1]);
            return 1;
        }
        headless = run == 0 ? headlessRun : std::min(headless, headlessRun);
        bridge = run == 0 ? bridgeRun : std::min(bridge, bridgeRun);
    }
    std::fprintf(figures, "headless scan: %.3f s, %zu rows (best of 3)\n", headless, headlessRows);
    std::fprintf(figures, "scan through the window bridge: %.3f s, %zu rows (best of 3)\n", bridge, bridgeRows);
    std::fprintf(figures, "ratio bridge/headless: %.2f (target <= 1.20)\n", bridge / headless);
    return bridgeRows == headlessRows ? 0 : 2;
}
