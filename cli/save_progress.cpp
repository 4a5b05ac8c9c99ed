// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_progress.h"

#include "catalogue_scan.h"
#include "display_path.h"
#include "standard_output.h"
#include "stop_signals.h"
#include "terminal.h"

#include <algorithm>

SaveProgress::SaveProgress(std::uint64_t backupSize, TerminalProgress& terminal, bool verbose)
    : m_terminal(terminal), m_verbose(verbose), m_clearBeforeRows(StdoutSharesTerminalWithStderr()),
      m_backupSize(backupSize)
{
}

void SaveProgress::FileStarted(std::size_t, std::string_view cataloguePath)
{
    if (!m_verbose)
        return;
    if (m_clearBeforeRows)
        m_terminal.Clear();
    WriteOut(DisplayPath(cataloguePath) + "\n");
}

void SaveProgress::BytesCopied(std::uint64_t bytes)
{
    m_copiedAhead += bytes;
    Draw();
}

void SaveProgress::FileSaved(std::size_t, std::uint64_t bytes)
{
    ++m_filesSaved;
    m_bytesSaved += bytes;
}

bool SaveProgress::StopNow()
{
    return StopNowRequested();
}

void SaveProgress::WindowScanned(std::uint64_t position, std::uint64_t)
{
    m_scanned = position;
    m_copiedAhead = 0;
    Draw();
}

void SaveProgress::Draw()
{
    if (!m_terminal.Enabled())
        return;
    // While a large file is copied the scan stands at its block: its data,
    // which follow the block, move the position on.
    const std::uint64_t position = std::min(m_backupSize, m_scanned + m_copiedAhead);
    m_terminal.Show("Saving: " + HumanBytes(position) + " of " + HumanBytes(m_backupSize) + " read ("
                    + std::to_string(ProgressPercent(position, m_backupSize)) + "%), "
                    + CountOf(m_filesSaved, "file", "files") + " (" + HumanBytes(m_bytesSaved) + ") saved, "
                    + m_meter.RateAndTimeLeft(position, m_backupSize));
}
