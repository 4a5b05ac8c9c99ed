// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where an extraction reports its progress.

#include <cstddef>
#include <cstdint>
#include <string_view>

class ExtractionProgress {
public:
    virtual ~ExtractionProgress() = default;
    // Range of the progress bar: 0 .. rowCount; `bytesChosen` is the sum of the
    // ticked rows' sizes.
    virtual void Begin(std::size_t rowCount, std::uint64_t bytesChosen) = 0;
    virtual void FileStarted(std::size_t row, std::string_view cataloguePath) = 0;
    virtual void BytesCopied(std::uint64_t bytes) = 0;
    // The row's file is saved whole (`bytes` long); a file cut short, with
    // unreadable parts or not written to its end is not.
    virtual void FileSaved(std::size_t /*row*/, std::uint64_t /*bytes*/) {}
    virtual void RowDone(std::size_t row) = 0;
    // Asked between slices of a file's data. True stops the run at once: the
    // file being written is closed, renamed to its name + ".partial" (never
    // replacing anything) and reported as Stopped.
    virtual bool StopNow() { return false; }
};
