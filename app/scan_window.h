// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a catalogue scan shows on the window: the labels, the progress bar,
// the Stop button, the message box and the way back to the file page. The
// wizard view implements it; the tests implement it with a recorder. Every
// call arrives on the window thread.

#include "scan_report.h"

#include <QString>

#include <cstdint>
#include <optional>

class ScanWindow {
public:
    virtual ~ScanWindow() = default;

    virtual void SetHelpText(const QString& text) = 0;
    virtual void SetScanPositionText(const QString& text) = 0;
    virtual void SetFileCountText(const QString& text) = 0;
    virtual void SetProgressPosition(int percent) = 0;
    virtual void SetProgressVisible(bool visible) = 0;
    virtual void SetStopVisible(bool visible) = 0;
    virtual void ShowMessage(const QString& text) = 0;
    virtual void GoBack() = 0;
    virtual void ClearContentsList() = 0;
    // What the scan passed over, at the end of every scan that ran;
    // `cachedScanAt`, the date of the earlier scan (seconds since 1970) when
    // the catalogue came from its cache.
    virtual void ShowScanReport(const ScanReport& report, std::optional<std::int64_t> cachedScanAt) = 0;
};
