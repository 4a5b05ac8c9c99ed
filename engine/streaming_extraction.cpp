// SPDX-License-Identifier: GPL-3.0-or-later
#include "streaming_extraction.h"

#include "catalogue_store.h"
#include "extraction_progress.h"

StreamingExtraction::StreamingExtraction(const BkfFileHandle& backup, CatalogueStore& store,
                                         std::string destination, std::string prefix, Chooser choose,
                                         ExtractionProgress& progress)
    : m_backup(backup), m_store(store), m_destination(std::move(destination)), m_prefix(std::move(prefix)),
      m_choose(std::move(choose)), m_progress(progress)
{
    // How many rows and bytes there will be is known only at the end.
    m_progress.Begin(0, 0);
}

void StreamingExtraction::AddRow(const CatalogueRow& row)
{
    const std::size_t index = m_store.Append(row);
    if (!m_choose(row.path))
        return;
    m_store.SetTicked(index, true);
    if (Failed() || !EnsureRoot())
        return;
    const CatalogueRow stored = m_store.Row(index); // the caller's path is only valid during this call
    m_progress.FileStarted(index, stored.path);
    if (m_saver->SaveRow(index, stored))
        m_progress.RowDone(index);
}

bool StreamingExtraction::EnsureRoot()
{
    if (m_root)
        return true;
    m_root = OutputRoot::Create(m_destination, m_prefix, &m_report.rootError);
    if (!m_root) {
        m_rootFailed = true;
        return false;
    }
    m_report.rootCreated = true;
    m_report.rootFolder = m_root->Path();
    m_saver = std::make_unique<RowSaver>(m_backup, *m_root, m_progress, m_report);
    return true;
}

bool StreamingExtraction::Failed() const
{
    return m_rootFailed || (m_saver && m_saver->StoppedInsideAFile());
}

ExtractionReport StreamingExtraction::Finish(bool completed)
{
    m_report.completed = completed && !Failed();
    return m_report;
}
