// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the wizard pages ask of the scan: whether one runs, a scan of a path,
// its stop, and whether the catalogue under review may serve or be cleared.
// Window thread only.

#include <QString>

class WizardHost {
public:
    virtual ~WizardHost() = default;
    // From the scan's start until it ends or is told to stop.
    virtual bool IsScanRunning() const = 0;
    // Waits for the end steps of a scan left running by Back; false when they
    // do not come in time.
    virtual bool WaitForPreviousScan() = 0;
    // Empties the catalogue and starts the scan of `path` (a deep one when
    // `deep`); the results page shows already. An open failure ends it as any
    // scan ends. False when a worker left over still holds the catalogue.
    virtual bool StartScan(const QString& path, bool deep) = 0;
    // Tells the scan to stop; its end steps follow on their own.
    virtual void StopScan() = 0;
    // Holds the running scan where it is, or lets it go on.
    virtual void HoldScan(bool held) = 0;
    // The catalogue under review is a whole scan of the backup at `path`,
    // which is still the file scanned: Next can return to it.
    virtual bool ReviewIsOf(const QString& path) const = 0;
    // Whether that scan was a deep one.
    virtual bool ReviewWasDeep() const = 0;
    // Asks, when ticks or files' states of the review would be lost, whether
    // a new scan may clear them; true to scan.
    virtual bool MayClearReview() = 0;
};
