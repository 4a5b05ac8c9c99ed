// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_table.h"

#include "texts.h"

using Artwork::MenuIcon;

const std::vector<MenuInfo>& MenuBarCommands()
{
    static const std::vector<MenuInfo> menus = {
        {QT_TRANSLATE_NOOP("Texts", "&File"),
         {CommandInfo{CommandId::kAddFile, QT_TRANSLATE_NOOP("Texts", "&Add\tCtrl+A"), QKeySequence("Ctrl+A"),
                      QT_TRANSLATE_NOOP("Texts", "Add File to repair"), MenuIcon::kAdd},
          CommandInfo{CommandId::kSave, QT_TRANSLATE_NOOP("Texts", "&Save\tCtrl+S"), QKeySequence("Ctrl+S"),
                      QT_TRANSLATE_NOOP("Texts", "Select location to save repaired file"), MenuIcon::kSave},
          std::nullopt,
          CommandInfo{CommandId::kExit, QT_TRANSLATE_NOOP("Texts", "E&xit\tCtrl+Q"), QKeySequence("Ctrl+Q"),
                      QT_TRANSLATE_NOOP("Texts", "Quit the application; prompts to save documents"), MenuIcon::kExit}}},
        {QT_TRANSLATE_NOOP("Texts", "&Tools"),
         {CommandInfo{CommandId::kSetting, QT_TRANSLATE_NOOP("Texts", "Se&tting\tCtrl+T"), QKeySequence("Ctrl+T"),
                      QT_TRANSLATE_NOOP("Texts", "Settings for repaired file name"), MenuIcon::kSettings},
          CommandInfo{CommandId::kCheckData, QT_TRANSLATE_NOOP("Texts", "&Check data"), QKeySequence(),
                      QT_TRANSLATE_NOOP("Texts", "Read the found files' data and compare them with their checksums"),
                      MenuIcon::kCheck},
          CommandInfo{CommandId::kLiveUpdate, QT_TRANSLATE_NOOP("Texts", "Li&ve Update\tCtrl+V"),
                      QKeySequence("Ctrl+V"),
                      QT_TRANSLATE_NOOP("Texts", "Update the software from latest changes from Internet"),
                      MenuIcon::kLiveUpdate}}},
        {QT_TRANSLATE_NOOP("Texts", "&Help"),
         {CommandInfo{CommandId::kHelp, QT_TRANSLATE_NOOP("Texts", "&Help\tF1"), QKeySequence("F1"),
                      QT_TRANSLATE_NOOP("Texts", "Help"), MenuIcon::kHelp},
          CommandInfo{CommandId::kAbout, QT_TRANSLATE_NOOP("Texts", "&About Brevant Veltra BKF..."), QKeySequence(),
                      QT_TRANSLATE_NOOP("Texts", "Display program information, version number and copyright"),
                      MenuIcon::kAbout},
          // The home page shares the Live Update icon.
          CommandInfo{CommandId::kHomePage, QT_TRANSLATE_NOOP("Texts", "Software H&ome Page..."), QKeySequence(),
                      QT_TRANSLATE_NOOP("Texts", "Go to software home page..."), MenuIcon::kLiveUpdate}}},
    };
    return menus;
}

const CommandInfo* FindCommand(int id)
{
    for (const MenuInfo& menu : MenuBarCommands()) {
        for (const std::optional<CommandInfo>& item : menu.items) {
            if (item && item->id == id)
                return &*item;
        }
    }
    return nullptr;
}
