// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard_commands.h"

#include "catalogue_list.h"
#include "folder_contents_list.h"
#include "folder_tree.h"
#include "hover_button.h"
#include "wizard_controls.h"

#include <QLineEdit>
#include <QPushButton>

#include <utility>

void ConnectWizardCommands(const WizardControls& c, QObject& context, const WizardCommands& commands)
{
    const std::pair<QAbstractButton*, const std::function<void()>&> buttons[] = {
        {c.btnAddFile, commands.addFile}, {c.btnRepair, commands.repair},     {c.btnSave, commands.save},
        {c.btnSettings, commands.settings}, {c.btnUpdate, commands.update},   {c.btnNext, commands.next},
        {c.btnBack, commands.back},       {c.btnStop, commands.stop},         {c.btnHomePage, commands.homePage},
        {c.btnBrowse, commands.browse},
    };
    for (const auto& [button, command] : buttons)
        QObject::connect(button, &QAbstractButton::clicked, &context, command);
    QObject::connect(c.editFileName, &QLineEdit::returnPressed, &context, commands.next);
    QObject::connect(c.folderTree, &FolderTree::saveRequested, &context, commands.save);
    QObject::connect(c.folderContents, &FolderContentsList::saveRequested, &context, commands.save);
    QObject::connect(c.catalogueList, &CatalogueList::saveRequested, &context, commands.save);
}
