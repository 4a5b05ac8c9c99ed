// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The menu bar's commands: ids, menu texts (with "&" for the mnemonic and
// "\t" before the accelerator text), accelerators, status-bar prompts and
// menu icons, in menu order.

#include "artwork.h"

#include <QKeySequence>

#include <optional>
#include <vector>

namespace CommandId {
constexpr int kHomePage = 32771;
constexpr int kHelp = 32773;
constexpr int kSetting = 32774;
constexpr int kLiveUpdate = 32775;
constexpr int kAddFile = 32776;
constexpr int kSave = 32777;
constexpr int kCheckData = 32778;
constexpr int kAbout = 57664;
constexpr int kExit = 57665;
} // namespace CommandId

struct CommandInfo {
    int id;
    const char* menuText;
    QKeySequence accelerator; // empty: none
    const char* prompt;
    Artwork::MenuIcon icon;
};

struct MenuInfo {
    const char* title;
    // Commands in order; nullopt marks a separator.
    std::vector<std::optional<CommandInfo>> items;
};

// The three pop-ups of the menu bar, in order.
const std::vector<MenuInfo>& MenuBarCommands();
// The command with `id`, or null.
const CommandInfo* FindCommand(int id);
