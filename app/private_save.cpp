// SPDX-License-Identifier: GPL-3.0-or-later
#include "private_save.h"

#include <QDir>

#include <utility>

PrivateSave::PrivateSave(SaveRunner run, DataChecked checked) : m_run(std::move(run)), m_checked(std::move(checked))
{
}

std::optional<ExtractionReport> PrivateSave::Save(const CatalogueStore& store, const std::vector<std::size_t>& rows)
{
    if (!m_folder.isValid())
        return std::nullopt;
    CatalogueStore chosen;
    for (const std::size_t row : rows)
        chosen.SetTicked(chosen.Append(store.Row(row)), true);
    ExtractionReport report;
    if (!m_run(chosen, QDir(m_folder.path()).absolutePath().toStdString() + "/", report))
        return std::nullopt;
    // The report numbers the rows as they were chosen.
    for (const std::size_t index : report.verifiedRows)
        m_checked(rows[index], true);
    for (const DamagedFile& damaged : report.damaged)
        m_checked(rows[damaged.row], false);
    return report;
}
