// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SIGTERM, SIGINT and SIGHUP, carried to the window thread: the handler only
// writes the signal's number into a pipe, whose reading end a QSocketNotifier
// watches. On systems without POSIX signals the object never emits.

#include <QObject>

class QSocketNotifier;

class StopSignalNotifier : public QObject {
    Q_OBJECT

public:
    // One at a time: the handlers are the process's.
    explicit StopSignalNotifier(QObject* parent = nullptr);
    // Gives the three signals their default action back.
    ~StopSignalNotifier() override;

signals:
    // On the window thread, once for every signal received.
    void stopSignal(int signal);

private:
    void ReadSignals();

    QSocketNotifier* m_notifier = nullptr;
};
