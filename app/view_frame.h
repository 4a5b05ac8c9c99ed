// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the wizard view asks of its main frame: the status bar's message line, the prefix of the next save's output folder
// and whether it restores dates,
// the frame's Live Update and Settings commands (the view's Update and
// Settings buttons run the same steps), and whether the application ends once
// a save is over. Window thread only.

#include <QString>

class ViewFrame {
public:
    virtual ~ViewFrame() = default;
    virtual void ShowStatusText(const QString& text) = 0;
    virtual QString FilePrefix() const = 0;
    virtual bool RestoreDates() const = 0;
    virtual void OnLiveUpdate() = 0;
    virtual void OnSettings() = 0;
    // A save has ended (its window has closed). True when the application
    // ends now (a stop signal or a close came during the save): no report.
    virtual bool OnSaveEnded() = 0;
};
