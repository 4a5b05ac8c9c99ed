// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application's one top-level window: the menu bar with its
// accelerators and status prompts, the status bar with the scan's progress
// bar, two red counters and how much is ticked, the wizard view as the central widget, and the
// frame's commands (help, Live Update, About, Exit). Window thread only.

#include "window_services.h"

#include <QMainWindow>

#include <map>

class CBrevantVeltraFileScanView;
class CGradientStatic;
class LockKeyPanes;
class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class ScanSession;

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    // `services` outlive the frame. The start-up directory is read here.
    explicit CMainFrame(const WindowServices& services, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CBrevantVeltraFileScanView& View() const { return *m_pView; }
    // The menu command with `id` (see command_table.h), or null.
    QAction* Command(int id) const;
    QProgressBar& Progress() const { return *m_wndProgress; }
    CGradientStatic& ScanPositionLabel() const { return *m_lblScanPos; }
    CGradientStatic& FileCountLabel() const { return *m_lblFileCount; }
    QLabel& ReadyLabel() const { return *m_lblReady; }
    // "1,234 of 5,678 files ticked, 3.2 GiB"; hidden while the catalogue is
    // empty and while the scan's progress bar covers it.
    QLabel& TickTotalsLabel() const { return *m_lblTicks; }
    LockKeyPanes& LockPanes() const { return *m_lockPanes; }
    const QString& StartDir() const { return m_strStartDir; }

    // Names the output root folder of the next save; in memory only, so every
    // start begins with "Recovered BKF".
    QString m_strFilePrefix;
    bool m_bRestoreDates = true; // memory only, like the prefix; on, as bkf-recover restores them

    // Puts the window where it was last time; false on a first start.
    bool RestoreWindow();
    // The smallest size: 870 x 550, or less where the screen's available area
    // less the window's frame is smaller.
    QSize MinimumFrameSize() const;

    void OnHelpFile();
    void OnAppAbout();
    // SIGTERM, SIGINT or SIGHUP: the application ends with 128 + `signal`; a
    // running scan stops, a running save first finishes the file it is
    // writing. A second signal during that save stops it at once (the file is
    // kept as NAME.partial).
    void OnStopSignal(int signal);

    // What the view and its save command ask of the frame.
    void ShowStatusText(const QString& text);
    QString FilePrefix() const { return m_strFilePrefix; }
    bool RestoreDates() const { return m_bRestoreDates; }
    void OnLiveUpdate();
    // Runs the Settings dialog on m_strFilePrefix.
    void OnSettings();
    bool OnSaveEnded();

protected:
    // Exit, from the menu or the title bar: asks first.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The window manager frames the window after it is shown: the minimum follows.
    void moveEvent(QMoveEvent* event) override;

private:
    void CreateMenus();
    void CreateViewMenu();
    void CreateStatusBar();
    void ConnectCommands();
    void LayOutStatusBar();
    void ShowTickTotals(const QString& text);
    // The status bar's progress bar and scan labels follow the scan.
    void FollowScan(const ScanSession& scan);
    void SetProgressVisible(bool visible);
    void SetScanPositionText(const QString& text);
    void SetFileCountText(const QString& text);
    // File's last backups, between Save and Exit, made anew each time File opens.
    void ShowRecentBackups(QMenu& file);
    // Stops a running scan and ends the application with `exitCode`.
    void EndApplication(int exitCode = 0);
    // Ends the application now, or once the running save has finished the
    // file it is writing.
    void EndAfterSave(int exitCode);

    WindowServices m_services;
    QString m_strStartDir;
    CBrevantVeltraFileScanView* m_pView;
    std::map<int, QAction*> m_commands;
    QList<QAction*> m_recentActions;
    QLabel* m_lblReady = nullptr;
    QLabel* m_lblTicks = nullptr;
    LockKeyPanes* m_lockPanes = nullptr;
    QProgressBar* m_wndProgress = nullptr;
    CGradientStatic* m_lblScanPos = nullptr;
    CGradientStatic* m_lblFileCount = nullptr;
    bool m_bEnding = false;
    int m_stopSignal = 0;     // the first stop signal received
    int m_exitAfterSave = -1; // the exit code once the running save ends; -1: none
};
