// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One scan of one backup, from Next to its end: owns the scanner and the
// bridge that carries its rows to the models, holds the path of the backup
// under review, and answers in one place whether a scan runs, whether its
// worker or its end steps are still to come, and whether the catalogue shown
// is a whole scan of a given backup. The window hears of it only through
// signals; the end of a scan, failed to open or not, arrives as one `ended`
// after the code that reported it has returned. Window thread only.

#include "bkf_scanner.h"
#include "scan_ui_bridge.h"
#include "scan_window.h"
#include "window_services.h"
#include "wizard_host.h"

#include <QObject>
#include <QString>

class CatalogueListModel;
class CatalogueStore;
class FolderTreeModel;

class ScanSession : public QObject, public WizardHost, private ScanWindow {
    Q_OBJECT

public:
    // Everything given outlives this object.
    ScanSession(CatalogueStore& store, FolderTreeModel& tree, CatalogueListModel& list,
                const WindowServices& services, QObject* parent = nullptr);
    // Releases a worker waiting on the window, then stops and joins it.
    ~ScanSession() override;

    // The backup the last scan was asked to read (a save reads it as well).
    const QString& BackupPath() const { return m_path; }
    // That backup as the scan opened it: a save checks that it reads the same file.
    const FileIdentity& ScannedFile() const { return m_scanner.ScannedFile(); }

    // WizardHost
    bool IsScanRunning() const override { return m_running; }
    bool WaitForPreviousScan() override;
    bool StartScan(const QString& path, bool deep) override;
    void StopScan() override;
    void HoldScan(bool held) override;
    bool ReviewIsOf(const QString& path) const override;
    bool ReviewWasDeep() const override { return m_deep; }
    bool MayClearReview() override;

    // The last scan's worker or its end steps are still to come (the scan may
    // have been told to stop already: Back leaves at once).
    bool IsScanUnfinished() const;
    // The catalogue may be read now (by a save or a check): refused, with a
    // notice, while a scan runs; a stopped scan may still hand over its last
    // rows, which are awaited first.
    bool MayReadCatalogue();
    // Scans the backup under review again, past its cached catalogue; false
    // only when a worker left over holds the catalogue still.
    bool Rescan(bool deep);
    // A save or a check changed files' states: a new scan asks before it
    // clears them.
    void NoteStatesChanged() { m_statesChanged = true; }

signals:
    // A new scan is about to fill the catalogue: the window empties what shows it.
    void starting();
    // A scan started running, or was told to stop (its end follows).
    void runningChanged(bool running);
    // The backup opened and the scan reads it.
    void searching();
    void progressChanged(int percent);
    void scanPositionChanged(const QString& text);
    void fileCountChanged(const QString& text);
    // The scan has ended, completed, stopped, failed or not opened at all;
    // `nothingFound` when the catalogue is empty.
    void ended(const ScanEnd& end, bool nothingFound);

private:
    bool Begin(const QString& path, bool deep, const CatalogueCacheUse& cache);
    void SetRunning(bool running);
    void Finish(const ScanEnd& end);

    // ScanWindow: the bridge's calls, on the window thread.
    void SetScanPositionText(const QString& text) override { emit scanPositionChanged(text); }
    void SetFileCountText(const QString& text) override { emit fileCountChanged(text); }
    void SetProgressPosition(int percent) override { emit progressChanged(percent); }
    void ScanFinished(const ScanEnd& end) override;

    CatalogueStore& m_store;
    WindowServices m_services;
    QString m_path;
    ScanUiBridge m_bridge;
    // Declared after the bridge: stopped and joined before it goes.
    BkfScanner m_scanner;
    bool m_running = false;       // from the start until the end or a stop
    bool m_endPending = false;    // an end is still to arrive
    bool m_deep = false;          // the catalogue's scan is a deep one
    bool m_stopped = false;       // the catalogue's scan was stopped before its end
    bool m_statesChanged = false; // a save or check changed files' states since the scan
};
