// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three catalogue controls over one store, wired as the window wires
// them, shown offscreen at a size where every row of a small catalogue is
// visible, with every model under QAbstractItemModelTester. Header-only (Qt).

#include "catalogue_controls.h"
#include "catalogue_list.h"
#include "catalogue_list_model.h"
#include "catalogue_store.h"
#include "folder_chain.h"
#include "folder_contents_list.h"
#include "folder_contents_list_model.h"
#include "folder_tree.h"
#include "folder_tree_model.h"
#include "scripted_message_service.h"
#include "state_image_delegate.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QTest>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

struct CatalogueControls {
    CatalogueStore store;
    FolderTreeModel treeModel{store};
    CatalogueListModel listModel{store};
    ScriptedMessageService messages;
    QWidget window; // declared before the views, which it must outlive
    FolderTree tree{treeModel};
    FolderContentsList contents{treeModel, listModel};
    CatalogueList list{listModel};
    QAbstractItemModelTester treeTester{&treeModel, QAbstractItemModelTester::FailureReportingMode::Warning};
    QAbstractItemModelTester listTester{&listModel, QAbstractItemModelTester::FailureReportingMode::Warning};
    QAbstractItemModelTester contentsTester{&contents.ContentsModel(),
                                            QAbstractItemModelTester::FailureReportingMode::Warning};

    CatalogueControls()
    {
        LinkCatalogueControls(tree, contents, listModel, &messages);
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(&tree);
        layout->addWidget(&contents);
        layout->addWidget(&list);
        window.resize(1800, 600);
        window.show();
        QApplication::setActiveWindow(&window);
    }

    // A file as a scan reports it: its path to the tree, then its row.
    std::size_t AddFile(std::string_view path, bool located = true, std::uint64_t size = 10)
    {
        treeModel.AddPath(path);
        listModel.AppendRows([&](CatalogueStore& s) { s.Append(CatalogueRow{path, located, size, 0}); });
        return store.RowCount() - 1;
    }

    // The end of a scan: every row ticked, every node checked; then all open.
    void FinishScan()
    {
        treeModel.CheckAllCollapsed();
        listModel.SetAllTicked(true);
        contents.ShowFolder(nullptr);
        tree.expandAll();
    }

    FolderNode* Node(std::initializer_list<std::string_view> chain) const
    {
        return NodeAt(treeModel, chain);
    }

    CheckState State(std::initializer_list<std::string_view> chain) const
    {
        return treeModel.GetCheckState(Node(chain));
    }

    // Points in a view's viewport: on the box of a cell, on its label.
    static QPoint BoxPoint(const QAbstractItemView& view, const QModelIndex& index)
    {
        return StateImageDelegate::BoxRect(view.visualRect(index)).center();
    }
    static QPoint LabelPoint(const QAbstractItemView& view, const QModelIndex& index)
    {
        const QRect cell = view.visualRect(index);
        return QPoint(cell.left() + StateImageDelegate::kBoxWidth + 30, cell.center().y());
    }
    QPoint TreeBox(FolderNode* node) const { return BoxPoint(tree, treeModel.IndexOf(node)); }
    QPoint TreeLabel(FolderNode* node) const { return LabelPoint(tree, treeModel.IndexOf(node)); }
    QPoint RowBox(const QTableView& view, int row) const { return BoxPoint(view, view.model()->index(row, 0)); }
    QPoint RowLabel(const QTableView& view, int row) const { return LabelPoint(view, view.model()->index(row, 0)); }

    static void Press(QAbstractItemView& view, Qt::MouseButton button, const QPoint& point)
    {
        QTest::mousePress(view.viewport(), button, {}, point);
        QTest::mouseRelease(view.viewport(), button, {}, point);
    }
    // Press, release, the double-click press, release: what a real double click sends.
    static void DoubleClick(QAbstractItemView& view, const QPoint& point)
    {
        Press(view, Qt::LeftButton, point);
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, point);
    }

    // The contents list's rows as "name|type|size|state" (state: U, C, P or ^ for the marker).
    std::vector<std::string> ContentsRows() const
    {
        const FolderContentsListModel& rows = contents.ContentsModel();
        std::vector<std::string> out;
        for (int row = 0; row < rows.RowCount(); ++row) {
            QString state = QStringLiteral("^");
            if (rows.Kind(row) != FolderContentsListModel::RowKind::Parent)
                state = QString("UCP").at(static_cast<int>(rows.GetCheckState(row)));
            out.push_back(QStringList{rows.index(row, 0).data().toString(), rows.index(row, 1).data().toString(),
                                      rows.index(row, 2).data().toString(), state}
                              .join('|')
                              .toStdString());
        }
        return out;
    }
};
