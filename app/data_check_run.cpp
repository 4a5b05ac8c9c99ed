// SPDX-License-Identifier: GPL-3.0-or-later
#include "data_check_run.h"

#include "catalogue_store.h"
#include "extraction_report.h"

namespace {

// How often the lists show the states found since the last batch.
constexpr int kBatchIntervalMs = 200;

} // namespace

DataCheckRun::DataCheckRun(CatalogueStore& store, std::function<void()> statesChanged)
    : m_store(store), m_statesChanged(std::move(statesChanged))
{
    m_timer.setInterval(kBatchIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &DataCheckRun::ApplyChecked);
    m_timer.start();
}

SaveWorker::Work DataCheckRun::Work(std::vector<std::size_t> rows)
{
    return [this, rows = std::move(rows)](const BkfFileHandle& backup, const std::atomic<bool>& running,
                                          ExtractionProgress& progress) {
        const DataChecked checked = [this](std::size_t row, bool intact) {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_checked.emplace_back(row, intact);
        };
        m_report = CheckData(backup, m_store, rows, progress, running, checked);
        ExtractionReport ended;
        ended.completed = m_report.completed;
        return ended;
    };
}

const DataCheckReport& DataCheckRun::Finish()
{
    m_timer.stop();
    ApplyChecked();
    return m_report;
}

void DataCheckRun::ApplyChecked()
{
    std::vector<std::pair<std::size_t, bool>> batch;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        batch.swap(m_checked);
    }
    if (batch.empty())
        return;
    for (const auto& [row, intact] : batch)
        m_store.NoteDataCheck(row, intact);
    m_statesChanged();
}
