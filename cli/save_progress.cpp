// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_progress.h"

#include "bkf_scanner.h"
#include "display_path.h"
#include "standard_output.h"
#include "stop_signals.h"
#include "terminal.h"

SaveProgress::SaveProgress(std::size_t filesChosen, BkfScanner& scanner, TerminalProgress& terminal, bool verbose)
    : m_filesChosen(filesChosen), m_scanner(scanner), m_terminal(terminal), m_verbose(verbose),
      m_clearBeforeRows(StdoutSharesTerminalWithStderr())
{
}

void SaveProgress::Begin(std::size_t, std::uint64_t bytesChosen)
{
    // The extraction sets its running flag just before Begin: a signal that
    // came earlier (after the scan) would otherwise be lost.
    if (!RunFlag().load())
        m_scanner.StopScan();
    m_bytesChosen = bytesChosen;
    m_meter = RateMeter();
}

void SaveProgress::FileStarted(std::size_t, std::string_view cataloguePath)
{
    ++m_filesStarted;
    if (!m_verbose)
        return;
    if (m_clearBeforeRows)
        m_terminal.Clear();
    WriteOut(DisplayPath(cataloguePath) + "\n");
}

void SaveProgress::BytesCopied(std::uint64_t bytes)
{
    m_bytesCopied += bytes;
    Draw();
}

void SaveProgress::RowDone(std::size_t)
{
    Draw();
}

bool SaveProgress::StopNow()
{
    return StopNowRequested();
}

void SaveProgress::Draw()
{
    if (!m_terminal.Enabled())
        return;
    const int percent = m_bytesChosen ? static_cast<int>(m_bytesCopied * 100.0 / m_bytesChosen) : 100;
    m_terminal.Show("Saving file " + std::to_string(m_filesStarted) + " of " + std::to_string(m_filesChosen) + ", "
                    + HumanBytes(m_bytesCopied) + " of " + HumanBytes(m_bytesChosen) + " ("
                    + std::to_string(percent) + "%), " + m_meter.RateAndTimeLeft(m_bytesCopied, m_bytesChosen));
}
