// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's check of the found files' data: the work that the save's
// window runs on its worker, and the states it finds, handed to the window
// thread in batches (a million small files must not cost a million
// repaints) and set in the catalogue as they come.

#include "data_check.h"
#include "save_worker.h"

#include <QObject>
#include <QTimer>

#include <cstddef>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

class CatalogueStore;

class DataCheckRun : public QObject {
    Q_OBJECT

public:
    // Window thread. `store` outlives this object; `statesChanged` runs on
    // the window thread after each batch of states was set.
    DataCheckRun(CatalogueStore& store, std::function<void()> statesChanged);

    // The work for the save's window: checks `rows` of the store. The store
    // is only read on the worker; this object must outlive the work.
    SaveWorker::Work Work(std::vector<std::size_t> rows);
    // Window thread, once the work has ended: the last states, and the report.
    const DataCheckReport& Finish();

private:
    void ApplyChecked();

    CatalogueStore& m_store;
    std::function<void()> m_statesChanged;
    QTimer m_timer;
    std::mutex m_mutex;
    std::vector<std::pair<std::size_t, bool>> m_checked; // found on the worker, not yet set
    DataCheckReport m_report; // written by the worker, read once it has ended
};
