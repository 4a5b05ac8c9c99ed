// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the bridge of a catalogue scan reports on the window thread: the scan's
// position, the count of files found, the progress, and its end (once, after
// the catalogue was made ready for review). The scan session implements it;
// the tests implement it with a recorder.

#include "scanner_ui.h"

#include <QString>

class ScanWindow {
public:
    virtual ~ScanWindow() = default;

    virtual void SetScanPositionText(const QString& text) = 0;
    virtual void SetFileCountText(const QString& text) = 0;
    virtual void SetProgressPosition(int percent) = 0;
    // The scan has ended: completed, stopped, failed, or its backup could not be opened.
    virtual void ScanFinished(const ScanEnd& end) = 0;
};
