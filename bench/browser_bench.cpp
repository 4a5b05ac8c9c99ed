// SPDX-License-Identifier: GPL-3.0-or-later
// Times the three catalogue controls at a million rows in eight folder levels,
// with one folder of 100,000 files, shown offscreen at a window's size: every
// figure includes the signals to the views and the repaint of their visible
// rows. Prints numbers (best and worst of several runs); asserts nothing.
//
//   QT_QPA_PLATFORM=offscreen build/bench/browser_bench

#include "bench_catalogue.h"
#include "catalogue_controls.h"
#include "catalogue_list.h"
#include "catalogue_list_model.h"
#include "catalogue_store.h"
#include "folder_contents_list.h"
#include "folder_contents_list_model.h"
#include "folder_tree.h"
#include "folder_tree_model.h"
#include "tick_totals.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using bench::kDirectoryLevels;
using bench::LeafFolders;
constexpr std::size_t kRows = 1'000'000;
constexpr std::size_t kBigFolderFiles = 100'000;
constexpr std::size_t kRowsPerBatch = 100; // about one 64 KiB scan window
constexpr int kRuns = 5;

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Resident memory of the process in MiB, from /proc.
double ResidentMiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

struct Browser {
    CatalogueStore store;
    FolderTreeModel treeModel{store};
    CatalogueListModel listModel{store};
    QWidget window;
    FolderTree tree{treeModel};
    FolderContentsList contents{treeModel, listModel};
    CatalogueList list{listModel};
    QLabel ticks; // the status bar's tick totals, kept up to date as the window keeps them

    Browser()
    {
        LinkCatalogueControls(tree, contents, listModel, nullptr);
        WatchTickTotals(listModel, &ticks, [this](const QString& text) { ticks.setText(text); });
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(&tree);
        auto* lists = new QVBoxLayout;
        lists->addWidget(&contents);
        lists->addWidget(&list);
        layout->addLayout(lists);
        window.resize(1280, 900);
        window.show();
    }

    // Whatever the views have pending, painted now.
    void Repaint()
    {
        QApplication::processEvents();
        for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(&tree),
                                        static_cast<QAbstractItemView*>(&contents),
                                        static_cast<QAbstractItemView*>(&list)})
            view->viewport()->repaint();
    }
};

// Fills the catalogue the way the scan bridge does: rows and their paths in
// batches; the last leaf folder gets the 100,000 files. Returns that folder's path.
std::string Fill(Browser& b)
{
    const std::vector<std::string> leaves = LeafFolders();
    const std::size_t spread = kRows - kBigFolderFiles;
    const std::size_t perFolder = spread / (leaves.size() - 1) + 1;
    std::vector<std::string> batch;
    std::size_t row = 0;
    auto add = [&](const std::string& path) {
        CatalogueRow record{path, true, 4096 + (row * 7919) % 65536, row * 4608};
        record.modified = (static_cast<std::uint64_t>(2000 + row % 20) << 26) | ((row % 12 + 1) << 22) | (1u << 17); // year, month, day 1
        b.store.Append(record);
        ++row;
        batch.push_back(path);
        if (batch.size() == kRowsPerBatch) {
            b.listModel.AppendRows();
            b.treeModel.ApplyPaths(batch);
            batch.clear();
        }
    };
    for (std::size_t leaf = 0; leaf + 1 < leaves.size(); ++leaf) {
        for (std::size_t file = 0; file < perFolder && row < spread; ++file)
            add(leaves[leaf] + "document_" + std::to_string(file) + ".txt");
    }
    for (std::size_t file = 0; file < kBigFolderFiles; ++file)
        add(leaves.back() + "photo_" + std::to_string(file) + (file % 3 == 0 ? ".jpg" : ".dat"));
    b.listModel.AppendRows();
    b.treeModel.ApplyPaths(batch);
    return leaves.back();
}

FolderNode* NodeOf(FolderTreeModel& model, const std::string& folder)
{
    FolderNode* node = nullptr;
    std::size_t start = 0;
    for (std::size_t sep = folder.find('\\'); sep != std::string::npos; sep = folder.find('\\', start)) {
        node = model.FindChild(node, folder.substr(start, sep - start));
        start = sep + 1;
    }
    return node;
}

// Runs `step` kRuns times, each after `prepare` and its repaint (untimed) and
// followed by the repaint (timed), and prints best and worst.
void TimeAfter(Browser& b, const char* label, double target, const std::function<void()>& prepare,
               const std::function<void()>& step)
{
    double best = 1e300;
    double worst = 0;
    for (int run = 0; run < kRuns; ++run) {
        prepare();
        b.Repaint();
        const auto start = Clock::now();
        step();
        b.Repaint();
        const double ms = MillisecondsSince(start);
        best = std::min(best, ms);
        worst = std::max(worst, ms);
    }
    std::printf("  %-62s best %8.2f ms, worst %8.2f ms (target < %g ms, worst/target %.2f)\n", label, best, worst,
                target, worst / target);
}

void Time(Browser& b, const char* label, double target, const std::function<void()>& step)
{
    TimeAfter(b, label, target, [] {}, step);
}

// A filter keystroke: the filter set from `before` to `after`, the list repainted.
void TimeKeystroke(Browser& b, const char* label, const RowFilterSettings& before, const RowFilterSettings& after)
{
    TimeAfter(b, label, 100, [&] { b.listModel.SetFilter(before); }, [&] { b.listModel.SetFilter(after); });
}

void FilterFoundFiles(Browser& b)
{
    const RowFilterSettings none;
    TimeKeystroke(b, "filter keystroke: first letter \"p\" of a word (all rows read)", none, {"p", false, {}});
    TimeKeystroke(b, "filter keystroke: \"photo_1\" to \"photo_12\" (shown rows read)", {"photo_1", false, {}},
                  {"photo_12", false, {}});
    TimeKeystroke(b, "filter keystroke: last letter of the pattern \"*.jpg\"", {"*.jp", false, {}},
                  {"*.jpg", false, {}});
    TimeKeystroke(b, "filter keystroke: a whole-path pattern \"**\\dir5_3\\*\"", none,
                  {"**\\dir5_3\\*", false, {}});
    TimeKeystroke(b, "filter: the last letter taken back (all rows read)", {"photo_12", false, {}},
                  {"photo_1", false, {}});
    TimeKeystroke(b, "filter: \"larger than 64 KiB\" chosen", none, {"", false, 64 * 1024});
    TimeKeystroke(b, "filter cleared", {"photo_1", false, {}}, none);
    b.listModel.SetFilter(none);
}

void SortFoundFiles(Browser& b)
{
    const struct {
        const char* label;
        int column;
        Qt::SortOrder order;
    } sorts[] = {
        {"sort by File Name, ascending", CatalogueListModel::FileNameColumn, Qt::AscendingOrder},
        {"sort by File Name, descending", CatalogueListModel::FileNameColumn, Qt::DescendingOrder},
        {"sort by File Type", CatalogueListModel::FileTypeColumn, Qt::AscendingOrder},
        {"sort by File Size", CatalogueListModel::FileSizeColumn, Qt::AscendingOrder},
        {"sort by Modified", CatalogueListModel::ModifiedColumn, Qt::AscendingOrder},
        {"sort by Status", CatalogueListModel::StatusColumn, Qt::AscendingOrder},
    };
    for (const auto& sort : sorts)
        TimeAfter(b, sort.label, 1000, [&] { b.listModel.sort(-1); }, [&] { b.listModel.sort(sort.column, sort.order); });
    TimeAfter(b, "back to the scan's order", 1000, [&] { b.listModel.sort(CatalogueListModel::FileSizeColumn); },
              [&] { b.listModel.sort(-1); });
    b.listModel.sort(CatalogueListModel::FileNameColumn);
    TimeKeystroke(b, "filter keystroke on the list sorted by name", {}, {"p", false, {}});
    b.listModel.SetFilter({});
    b.listModel.sort(-1);
}

void ScrollFoundFiles(Browser& b)
{
    QScrollBar* bar = b.list.verticalScrollBar();
    const int frames = 2000;
    // The first frame loads the type database and the icons: timed on its own.
    auto first = Clock::now();
    bar->setValue(0);
    b.list.viewport()->repaint();
    std::printf("  %-62s %8.2f ms\n", "found-files list, first frame (type names and icons loaded)",
                MillisecondsSince(first));
    double worst = 0;
    const auto start = Clock::now();
    for (int frame = 1; frame <= frames; ++frame) {
        const auto each = Clock::now();
        bar->setValue(static_cast<int>(static_cast<long long>(bar->maximum()) * frame / frames));
        b.list.viewport()->repaint();
        worst = std::max(worst, MillisecondsSince(each));
    }
    const double total = MillisecondsSince(start);
    std::printf("  %-62s %d frames, mean %.2f ms, worst %.2f ms a frame\n",
                "found-files list scrolled top to bottom, each frame painted", frames, total / frames,
                worst);
    const auto pages = Clock::now();
    for (int page = 0; page < 300; ++page) {
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        b.list.viewport()->repaint();
    }
    std::printf("  %-62s mean %.2f ms a page\n", "Page Down 300 times, each page painted",
                MillisecondsSince(pages) / 300);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double baseMiB = ResidentMiB();

    Browser b;
    auto start = Clock::now();
    const std::string bigFolder = Fill(b);
    std::printf("catalogue: %zu rows, %zu folders in %d levels; one folder of %zu files\n", b.store.RowCount(),
                b.treeModel.NodeCount(), kDirectoryLevels + 2, kBigFolderFiles);
    std::printf("  %-62s %8.2f ms\n", "filled as a scan does (batches of 100 rows and paths)", MillisecondsSince(start));
    start = Clock::now();
    b.treeModel.CheckAllCollapsed();
    b.listModel.SetAllTicked(true);
    b.contents.ShowFolder(nullptr);
    b.Repaint();
    std::printf("  %-62s %8.2f ms\n", "end of scan: CheckAllCollapsed, every row ticked, repaint", MillisecondsSince(start));

    FolderNode* root = b.treeModel.TopLevelNode(0);
    FolderNode* big = NodeOf(b.treeModel, bigFolder);
    b.tree.SelectNode(root);
    Time(b, "ToggleNode(root), the tick count with it", 50, [&] { b.tree.ToggleNode(root); });
    std::printf("  %-62s %s\n", "tick count after the last toggle", qPrintable(b.ticks.text()));
    b.list.selectionModel()->setCurrentIndex(b.list.model()->index(0, 0), QItemSelectionModel::NoUpdate);
    b.list.selectAll();
    Time(b, "Space on 1,000,000 selected found files, rolled up", 1000, [&] {
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(&b.list, &space);
    });
    b.list.clearSelection();
    b.list.setCurrentIndex(b.list.model()->index(static_cast<int>(kRows / 2), 0));
    Time(b, "Space on one found file, rolled up into the tree", 50, [&] {
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(&b.list, &space);
    });

    Time(b, "ShowFolder of the folder of 100,000 files", 100, [&] { b.contents.ShowFolder(big); });
    b.tree.SelectNode(big);
    b.Repaint();
    const int fileRow = b.contents.ContentsModel().RowCount() / 2;
    Time(b, "ToggleRow of a file in the folder of 100,000 files", 50, [&] { b.contents.ToggleRow(fileRow); });
    Time(b, "ToggleNode of the folder of 100,000 files", 50, [&] { b.tree.ToggleNode(big); });
    b.contents.setCurrentIndex(b.contents.model()->index(fileRow, 0));
    b.contents.selectAll();
    Time(b, "Space on the 100,000 selected files of the contents list", 1000, [&] {
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(&b.contents, &space);
    });

    ScrollFoundFiles(b);
    FilterFoundFiles(b);
    SortFoundFiles(b);

    std::printf("  %-62s %8.1f MiB (target < 300 MiB; process total %.1f MiB)\n",
                "memory of store, models and views (resident, over start-up)", ResidentMiB() - baseMiB,
                ResidentMiB());
    return 0;
}
