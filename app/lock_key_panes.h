// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The status bar's indicator panes "CAP", "NUM1" and "SCRL". A pane's text is
// dark while its lock key is on and grey while it is off or while the system
// does not say (the keyboard LEDs under /sys/class/leds tell it on Linux,
// read twice a second).

#include <QObject>

#include <array>
#include <optional>

class QLabel;
class QStatusBar;
class QTimer;

enum class LockKey { kCaps, kNum, kScroll };

// Whether the lock key is on; nullopt when the system does not say.
std::optional<bool> ReadLockKeyState(LockKey key);

class LockKeyPanes : public QObject {
    Q_OBJECT

public:
    // Adds the three panes at the right end of `statusBar`.
    explicit LockKeyPanes(QStatusBar& statusBar);

    QLabel* Pane(LockKey key) const { return m_panes[static_cast<int>(key)]; }
    void Refresh();

private:
    std::array<QLabel*, 3> m_panes{};
    QTimer* m_timer;
};
