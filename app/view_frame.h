// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the wizard view and its save command ask of the main frame, as
// callbacks the frame fills: the status bar's message line, the prefix of the
// next save's output folder and whether it restores dates, the frame's Live
// Update and Settings commands (the view's Update and Settings buttons run
// the same steps), and whether the application ends once a save is over.
// Window thread only.

#include <QString>

#include <functional>

struct ViewFrame {
    std::function<void(const QString& text)> showStatusText;
    std::function<QString()> filePrefix;
    std::function<bool()> restoreDates;
    std::function<void()> liveUpdate;
    std::function<void()> settings;
    // A save has ended (its window has closed). True when the application
    // ends now (a stop signal or a close came during the save): no report.
    std::function<bool()> saveEnded;
};
