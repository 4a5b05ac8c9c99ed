// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_table.h"

using Artwork::MenuIcon;

const std::vector<MenuInfo>& MenuBarCommands()
{
    static const std::vector<MenuInfo> menus = {
        {"&File",
         {CommandInfo{CommandId::kAddFile, "&Add\tCtrl+A", QKeySequence("Ctrl+A"), "Add File to repair",
                      MenuIcon::kAdd},
          CommandInfo{CommandId::kSave, "&Save\tCtrl+S", QKeySequence("Ctrl+S"),
                      "Select location to save repaired file", MenuIcon::kSave},
          std::nullopt,
          CommandInfo{CommandId::kExit, "E&xit\tCtrl+Q", QKeySequence("Ctrl+Q"), "Quit the application; prompts to save documents",
                      MenuIcon::kExit}}},
        {"&Tools",
         {CommandInfo{CommandId::kSetting, "Se&tting\tCtrl+T", QKeySequence("Ctrl+T"),
                      "Settings for repaired file name", MenuIcon::kSettings},
          CommandInfo{CommandId::kLiveUpdate, "Li&ve Update\tCtrl+V", QKeySequence("Ctrl+V"),
                      "Update the software from latest changes from Internet", MenuIcon::kLiveUpdate}}},
        {"&Help",
         {CommandInfo{CommandId::kHelp, "&Help\tF1", QKeySequence("F1"), "Help", MenuIcon::kHelp},
          CommandInfo{CommandId::kAbout, "&About Brevant Veltra BKF...", QKeySequence(),
                      "Display program information, version number and copyright", MenuIcon::kAbout},
          // The home page shares the Live Update icon.
          CommandInfo{CommandId::kHomePage, "Software H&ome Page...", QKeySequence(), "Go to software home page...",
                      MenuIcon::kLiveUpdate}}},
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
