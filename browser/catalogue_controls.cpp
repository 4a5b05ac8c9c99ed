#include "catalogue_controls.h"

#include "catalogue_list_model.h"
#include "folder_contents_list.h"
#include "folder_tree.h"
#include "folder_tree_model.h"

void LinkCatalogueControls(FolderTree& tree, FolderContentsList& contents, CatalogueListModel& catalogue,
                           MessageService* messages)
{
    tree.SetContentsList(&contents);
    contents.SetFolderTree(&tree);
    tree.SetMessageService(messages);
    contents.SetMessageService(messages);
    QObject::connect(&tree.TreeModel(), &FolderTreeModel::ticksChanged, &catalogue, &CatalogueListModel::RefreshTicks);
}

void SetCatalogueScanRunning(FolderTree& tree, FolderContentsList& contents, bool running)
{
    tree.SetScanRunning(running);
    contents.SetScanRunning(running);
}
