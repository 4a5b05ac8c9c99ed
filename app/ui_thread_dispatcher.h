// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs work on the window thread on behalf of a worker thread, in the
// worker's order, and lets the worker wait until it has been applied. The
// window thread never waits for a worker: once the dispatcher is detached
// (the window is closing), waiting workers are released at once and later
// requests return without running.

#include <QObject>

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>

class UiThreadDispatcher : public QObject {
    Q_OBJECT

public:
    // Lives in (and runs work on) the thread that creates it.
    explicit UiThreadDispatcher(QObject* parent = nullptr);
    ~UiThreadDispatcher() override;

    // Queues `task` to run on the window thread after everything queued
    // before it, without waiting. Dropped once detached.
    void Post(std::function<void()> task);
    // Waits until every posted task has run (or the dispatcher is detached).
    void WaitForPosted();

    // From now on nothing more runs; workers waiting in WaitForPosted return.
    void Detach();
    bool IsDetached() const;

private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable done;
        bool detached = false;
        std::size_t posted = 0; // posted tasks not yet run
    };
    std::shared_ptr<Shared> m_shared;
};
