// SPDX-License-Identifier: GPL-3.0-or-later
// Shows the three catalogue controls in a plain window, filled from a real
// scan of a backup, for a look at them (and the screenshot in docs/).
//
//   catalogue_preview --sample OUT.bkf   writes a small backup of two sets
//   catalogue_preview BACKUP             scans BACKUP and shows the controls
//
// After the scan the window is in its review state; a subfolder and one file
// are then unticked through the controls, so every kind of box is on screen.

#include "bkf_file_handle.h"
#include "bkf_writer.h"
#include "byte_file.h"
#include "catalogue_controls.h"
#include "catalogue_list.h"
#include "catalogue_list_model.h"
#include "catalogue_scan.h"
#include "catalogue_store.h"
#include "folder_chain.h"
#include "folder_contents_list.h"
#include "folder_contents_list_model.h"
#include "folder_tree.h"
#include "folder_tree_model.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QSplitter>

#include <atomic>
#include <cstdio>
#include <string>

namespace {

bool WriteSample(const std::string& path)
{
    BkfWriter w;
    const std::string text(1200, 't');
    const auto on = [](unsigned year, unsigned month, unsigned day) { return BkfWriter::Date(year, month, day, 9, 30); };
    w.Sset("Daily", 1).Dirb({"Documents"});
    w.File("budget 2026.xlsx", text).Dated(on(2026, 1, 12)).File("letter.docx", text).Dated(on(2025, 11, 3));
    w.File("notes.txt", "notes").Dated(on(2025, 12, 24)).File("report.pdf", std::string(5000, 'p')).Dated(on(2024, 6, 30));
    w.Dirb({"Documents", "Invoices"});
    w.File("invoice-0001.pdf", text).Dated(on(2025, 2, 1)).File("invoice-0002.pdf", text).Dated(on(2025, 3, 1));
    w.Dirb({"Documents", "Old"}).File("draft.doc", text).Dated(on(2003, 9, 19));
    w.Dirb({"Pictures", "Holiday"});
    w.File("beach.jpg", std::string(9000, 'j')).Dated(on(2024, 8, 14)).File("sunset.png", text).Dated(on(2024, 8, 15));
    w.Dirb({"WINDOWS", "system32"});
    w.File("notepad.exe", "MZ").Dated(on(2004, 8, 4)).File("calc.exe", "MZ").Dated(on(2004, 8, 4));
    w.File("hosts", "127.0.0.1").Dated(on(2019, 5, 2));
    w.Sset("Weekly", 2).Dirb({"Projects", "bkf"});
    w.File("main.cpp", text).Dated(on(2026, 1, 20)).File("README.md", "# bkf").Dated(on(2026, 1, 18));
    w.File("build.sh", "#!/bin/sh").Dated(on(2026, 1, 18));
    return WriteBytes(path, w.Bytes());
}

// Appends each window's rows and paths in one batch, as the window does.
class ModelSinks : public CatalogueSink, public FolderPathSink, public ScanProgress {
public:
    ModelSinks(FolderTreeModel& tree, CatalogueListModel& list) : m_tree(tree), m_list(list) { m_tree.BeginBatch(); }
    void AddRow(const CatalogueRow& row) override { m_list.Store().Append(row); }
    void AddPath(std::string_view path) override { m_tree.AddPath(path); }
    void FileCountChanged(std::uint64_t) override {}
    void WindowScanned(std::uint64_t, std::uint64_t) override { Flush(); m_tree.BeginBatch(); }
    void Flush() { m_list.AppendRows(); m_tree.EndBatch(); }

private:
    FolderTreeModel& m_tree;
    CatalogueListModel& m_list;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--sample")
        return WriteSample(argv[2]) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: catalogue_preview BACKUP | --sample OUT.bkf\n");
        return 1;
    }
    QApplication app(argc, argv);
    CatalogueStore store;
    FolderTreeModel treeModel(store);
    CatalogueListModel listModel(store);
    QWidget window;
    FolderTree tree(treeModel);
    FolderContentsList contents(treeModel, listModel);
    CatalogueList list(listModel);
    LinkCatalogueControls(tree, contents, listModel, nullptr);

    BkfFileHandle file;
    if (!file.Open(argv[1])) {
        std::fprintf(stderr, "catalogue_preview: cannot open %s\n", argv[1]);
        return 1;
    }
    std::atomic<bool> running{true};
    ModelSinks sinks(treeModel, listModel);
    ScanCatalogue(file, running, ScanSinks{sinks, sinks, sinks, nullptr});
    sinks.Flush();
    treeModel.CheckAllCollapsed();
    listModel.SetAllTicked(true);

    auto* splitter = new QSplitter(Qt::Horizontal, &window);
    auto* right = new QSplitter(Qt::Vertical);
    splitter->addWidget(&tree);
    right->addWidget(&contents);
    right->addWidget(&list);
    splitter->addWidget(right);
    splitter->setSizes({260, 900});
    (new QHBoxLayout(&window))->addWidget(splitter);
    window.setWindowTitle("Brevant Veltra BKF");
    window.resize(1180, 640);
    window.move(0, 0);
    window.show();

    const std::string set = "BACKUP SET 1(_Daily)";
    tree.expandAll();
    if (FolderNode* old = NodeAt(treeModel, {"BKF", set, "Documents", "Old"}))
        tree.ToggleNode(old);
    if (FolderNode* documents = NodeAt(treeModel, {"BKF", set, "Documents"})) {
        tree.SelectNode(documents);
        contents.ToggleRow(4); // letter.docx
        contents.selectRow(3);
    }
    list.selectRow(1);
    return app.exec();
}
