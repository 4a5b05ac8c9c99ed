// SPDX-License-Identifier: GPL-3.0-or-later
#include "streaming_extraction.h"

#include "catalogue_store.h"
#include "continued_save.h"
#include "extraction_progress.h"

StreamingExtraction::StreamingExtraction(const BkfFileHandle& backup, std::string destination, std::string prefix,
                                         Chooser choose, ExtractionProgress& progress,
                                         const ExtractionOptions& options)
    : m_backup(backup), m_destination(std::move(destination)), m_prefix(std::move(prefix)),
      m_choose(std::move(choose)), m_progress(progress), m_options(options)
{
    m_report.nameUnchecked = options.nameUnchecked;
    // How many rows and bytes there will be is known only at the end.
    m_progress.Begin(0, 0);
}

void StreamingExtraction::AddRow(const CatalogueRow& row)
{
    const std::size_t index = m_rowsSeen++;
    if (!IsListedFile(row.status) || !m_choose(row.path))
        return;
    ++m_rowsChosen;
    if (m_saver && m_saver->DiskFull()) {
        ++m_report.notSavedDiskFull; // each would fail the same way: one line says so for all
        return;
    }
    if (Failed() || !EnsureRoot())
        return;
    m_progress.FileStarted(index, row.path);
    if (m_saver->SaveRow(index, row))
        m_progress.RowDone(index);
}

void StreamingExtraction::FolderDated(std::string_view folderPath, std::uint64_t modified)
{
    if (m_options.restoreTimes && modified != 0)
        m_folderDates.push_back(FolderDate{std::string(folderPath), modified});
}

bool StreamingExtraction::EnsureRoot()
{
    if (m_root)
        return true;
    m_root = OpenSaveRoot(m_destination, m_prefix, m_options, m_report);
    if (!m_root) {
        m_rootFailed = true;
        return false;
    }
    m_saver = std::make_unique<RowSaver>(m_backup, *m_root, m_progress, m_report);
    if (m_report.continued)
        m_saver->ContinueEarlierSave();
    if (m_options.restoreTimes) {
        m_dates = std::make_unique<FileDates>(*m_root);
        m_saver->RestoreDates(*m_dates);
    }
    return true;
}

bool StreamingExtraction::Failed() const
{
    return m_rootFailed || (m_saver && m_saver->StoppedInsideAFile());
}

ExtractionReport StreamingExtraction::Finish(bool completed)
{
    m_report.completed = completed && !Failed();
    if (m_dates)
        m_dates->SetFolderDates(m_folderDates, m_report);
    return m_report;
}
