// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_controls.h"

#include "catalogue_list_model.h"
#include "folder_contents_list.h"
#include "folder_contents_list_model.h"
#include "folder_tree.h"
#include "folder_tree_model.h"

void LinkCatalogueControls(FolderTree& tree, FolderContentsList& contents, CatalogueListModel& catalogue,
                           MessageService* messages)
{
    tree.SetMessageService(messages);
    contents.SetMessageService(messages);
    // The list shows the tree's selected (or ticked) folder, and a folder
    // opened in the list becomes the tree's selection.
    QObject::connect(&tree, &FolderTree::folderSelected, &contents, &FolderContentsList::ShowFolder);
    QObject::connect(&tree, &FolderTree::folderTicked, &contents, [&contents](FolderNode* node, CheckState state) {
        contents.ShowFolder(node);
        contents.SetAllRows(state);
    });
    QObject::connect(&tree, &FolderTree::tabPressed, &contents, [&contents] { contents.setFocus(Qt::TabFocusReason); });
    QObject::connect(&contents, &FolderContentsList::folderOpened, &tree, &FolderTree::SelectNode);
    QObject::connect(&tree.TreeModel(), &FolderTreeModel::ticksChanged, &catalogue, &CatalogueListModel::RefreshTicks);
    // Ticks changed in the found-files list: the tree's states first, then
    // the contents list, whose folder rows read them.
    QObject::connect(&catalogue, &CatalogueListModel::rowsTicked, &contents,
                     [&tree, &contents](const std::vector<std::size_t>& rows) {
                         tree.TreeModel().RollUpRows(rows);
                         contents.ContentsModel().RefreshStates();
                     });
}

void SetCatalogueScanRunning(FolderTree& tree, FolderContentsList& contents, bool running)
{
    tree.SetScanRunning(running);
    contents.SetScanRunning(running);
    // The end of a scan empties the contents list: the folder highlighted in
    // the tree shows again, and is brought into view.
    FolderNode* selected = tree.SelectedNode();
    if (!running && selected != nullptr) {
        tree.scrollTo(tree.TreeModel().IndexOf(selected)); // opens its collapsed ancestors
        contents.ShowFolder(selected);
    }
}
