// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The save's progress on the terminal: files, bytes, rate and time left;
// with --verbose each file's PATH on stdout as it is saved.

#include "extraction_progress.h"
#include "human_units.h"
#include "terminal_progress.h"

class SaveProgress : public ExtractionProgress {
public:
    SaveProgress(std::size_t filesChosen, TerminalProgress& terminal, bool verbose);

    void Begin(std::size_t rowCount, std::uint64_t bytesChosen) override;
    void FileStarted(std::size_t row, std::string_view cataloguePath) override;
    void BytesCopied(std::uint64_t bytes) override;
    void RowDone(std::size_t row) override;
    bool StopNow() override;
    void Finish() { m_terminal.Clear(); }

private:
    void Draw();

    std::size_t m_filesChosen;
    TerminalProgress& m_terminal;
    bool m_verbose;
    bool m_clearBeforeRows;
    std::size_t m_filesStarted = 0;
    std::uint64_t m_bytesChosen = 0;
    std::uint64_t m_bytesCopied = 0;
    RateMeter m_meter;
};
