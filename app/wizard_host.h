// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the wizard pages ask of the view that carries them: whether a scan
// runs, a scan of a path, its stop, and the save. Window thread only.

#include <QString>

class WizardHost {
public:
    virtual ~WizardHost() = default;
    // From the scan's start until it ends or is told to stop.
    virtual bool IsScanRunning() const = 0;
    // Waits for the end steps of a scan left running by Back; false when they
    // do not come in time.
    virtual bool WaitForPreviousScan() = 0;
    // Empties the catalogue and starts the scan of `path`; the results page
    // shows already. An open failure comes back through the pages' OnBack.
    virtual void StartScan(const QString& path) = 0;
    // Tells the scan to stop; its end steps follow on their own.
    virtual void StopScan() = 0;
    virtual void OnSaveFiles() = 0;
};
