// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the wizard view asks of its main frame: the status bar's progress bar
// and scan labels, and the frame's Live Update command (the view's Update
// button runs the same steps). Window thread only.

#include <QString>

class ViewFrame {
public:
    virtual ~ViewFrame() = default;
    virtual void SetProgressVisible(bool visible) = 0;
    virtual void SetProgressPosition(int percent) = 0;
    virtual void SetScanPositionText(const QString& text) = 0;
    virtual void SetFileCountText(const QString& text) = 0;
    virtual void OnLiveUpdate() = 0;
};
