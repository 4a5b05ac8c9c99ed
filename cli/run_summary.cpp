// SPDX-License-Identifier: GPL-3.0-or-later
#include "run_summary.h"

#include "human_units.h"
#include "messages.h"

void SetCounter::Add(std::string_view cataloguePath)
{
    // "BKF\SET\...": the set folder is the second component. The scan finds
    // each set's files together, so a change of set is a new set.
    if (!m_lastSet.empty() && cataloguePath.size() > m_lastSet.size()
        && cataloguePath[m_lastSet.size()] == '\\' && cataloguePath.compare(0, m_lastSet.size(), m_lastSet) == 0)
        return; // the same set as the row before: most rows
    const std::size_t start = cataloguePath.find('\\');
    const std::size_t end = start == std::string_view::npos ? start : cataloguePath.find('\\', start + 1);
    const std::string_view set = end == std::string_view::npos ? std::string_view() : cataloguePath.substr(0, end);
    if (m_sets == 0 || set != m_lastSet) {
        m_lastSet = std::string(set);
        ++m_sets;
    }
}

std::string ListSummary(std::uint64_t files, std::uint64_t sets, double seconds)
{
    return CountOf(files, "file", "files") + " in " + CountOf(sets, "set", "sets") + " found in "
           + HumanSeconds(seconds);
}

std::string SaveSummary(const ExtractionReport& report, std::size_t chosen, double seconds)
{
    std::string text = report.continued
                           ? std::to_string(report.filesSaved) + " saved, " + std::to_string(report.alreadySaved)
                                 + " already there, " + HumanBytes(report.bytesSaved) + " written into "
                                 + report.rootFolder + " in " + HumanSeconds(seconds)
                           : CountOf(report.filesSaved, "file", "files") + ", " + HumanBytes(report.bytesSaved)
                                 + " saved into " + report.rootFolder + " in " + HumanSeconds(seconds);
    const std::size_t incomplete = report.LossCount();
    if (report.completed && incomplete > 0)
        text += "; " + std::to_string(incomplete) + " of " + CountOf(chosen, "file", "files")
                + " not saved completely";
    std::size_t copiesAside = 0;
    for (const KeptAside& kept : report.keptAside)
        copiesAside += kept.names.size();
    if (copiesAside > 0)
        text += "; " + CountOf(copiesAside, "incomplete copy", "incomplete copies") + " kept as NAME.partial";
    return text;
}
