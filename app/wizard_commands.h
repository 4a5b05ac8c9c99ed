// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the wizard's controls do when used: the toolbar, the navigation
// buttons, Browse, Return in the file-name box (Next) and the lists' own
// save requests (Save). The view says what each command runs. Window thread only.

#include <functional>

class QObject;
struct WizardControls;

struct WizardCommands {
    std::function<void()> addFile;
    std::function<void()> repair;
    std::function<void()> save;
    std::function<void()> settings;
    std::function<void()> update;
    std::function<void()> next;
    std::function<void()> back;
    std::function<void()> stop;
    std::function<void()> homePage;
    std::function<void()> browse;
};

// Connects the controls to `commands` for as long as `context` lives.
void ConnectWizardCommands(const WizardControls& c, QObject& context, const WizardCommands& commands);
