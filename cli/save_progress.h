// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress of a save made while the backup is scanned, on the terminal:
// how far through the backup, the files saved whole and their bytes, the
// rate and the time left; with --verbose each file's PATH on stdout as it
// is saved.

#include "extraction_progress.h"
#include "human_units.h"
#include "scan_sinks.h"
#include "terminal_progress.h"

class SaveProgress : public ExtractionProgress, public ScanProgress {
public:
    SaveProgress(std::uint64_t backupSize, TerminalProgress& terminal, bool verbose);

    void Begin(std::size_t, std::uint64_t) override {}
    void FileStarted(std::size_t row, std::string_view cataloguePath) override;
    void BytesCopied(std::uint64_t bytes) override;
    void FileSaved(std::size_t row, std::uint64_t bytes) override;
    void RowDone(std::size_t) override {}
    bool StopNow() override;

    void FileCountChanged(std::uint64_t) override {}
    void WindowScanned(std::uint64_t position, std::uint64_t fileSize) override;

    void Finish() { m_terminal.Clear(); }

private:
    void Draw();

    TerminalProgress& m_terminal;
    bool m_verbose;
    bool m_clearBeforeRows;
    std::uint64_t m_filesSaved = 0; // whole: the file being written is not counted
    std::uint64_t m_bytesSaved = 0;
    std::uint64_t m_scanned = 0;       // the scan's position
    std::uint64_t m_copiedAhead = 0;   // bytes copied since: data lie after their block
    std::uint64_t m_backupSize = 0;
    RateMeter m_meter;
};
