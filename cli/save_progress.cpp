// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_progress.h"

#include "display_path.h"
#include "standard_output.h"
#include "stop_signals.h"
#include "terminal.h"

#include <algorithm>

SaveProgress::SaveProgress(std::size_t filesChosen, TerminalProgress& terminal, bool verbose)
    : m_filesChosen(filesChosen), m_terminal(terminal), m_verbose(verbose),
      m_clearBeforeRows(StdoutSharesTerminalWithStderr())
{
}

void SaveProgress::Begin(std::size_t, std::uint64_t bytesChosen)
{
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
    // A hostile stream length can make the copied bytes pass the chosen ones.
    const double fraction = m_bytesChosen ? static_cast<double>(m_bytesCopied) / m_bytesChosen : 1.0;
    const int percent = static_cast<int>(std::min(fraction, 1.0) * 100.0);
    m_terminal.Show("Saving file " + std::to_string(m_filesStarted) + " of " + std::to_string(m_filesChosen) + ", "
                    + HumanBytes(m_bytesCopied) + " of " + HumanBytes(m_bytesChosen) + " ("
                    + std::to_string(percent) + "%), " + m_meter.RateAndTimeLeft(m_bytesCopied, m_bytesChosen));
}
