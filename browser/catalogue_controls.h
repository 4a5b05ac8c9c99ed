// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Wires the tree and the contents list to each other and to the catalogue
// (the one place they meet): the list shows the tree's selected or ticked
// folder, a folder opened in the list becomes the tree's selection, Tab in
// the tree moves on to the list, both refuse through `messages`, tick changes
// made through the tree reach the found-files list, and tick changes made in
// the found-files list reach the tree and the contents list. The window calls
// this once after creating the controls; all of them outlive one another's
// use here.

class CatalogueListModel;
class FolderContentsList;
class FolderTree;
class MessageService;

void LinkCatalogueControls(FolderTree& tree, FolderContentsList& contents, CatalogueListModel& catalogue,
                           MessageService* messages);
// The window's Stop button became visible (true) or hidden (false); once
// hidden, the contents list shows the tree's selected folder again.
void SetCatalogueScanRunning(FolderTree& tree, FolderContentsList& contents, bool running);
