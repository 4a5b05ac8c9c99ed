// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saves the chosen rows while the scan reports them. A file's data follow its
// FILE block, so they are copied just after the scan has read the block and
// while the bytes are still in the page cache: the backup is read from the
// disk once, writing starts with the first file, and no catalogue is kept.

#include "extraction_options.h"
#include "extraction_report.h"
#include "file_dates.h"
#include "output_root.h"
#include "row_saver.h"
#include "scan_sinks.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class BkfFileHandle;
class ExtractionProgress;

class StreamingExtraction : public CatalogueSink, public FolderDateSink {
public:
    using Chooser = std::function<bool(std::string_view cataloguePath)>;

    // A row that `choose` takes is saved at once below a new output root named
    // after `prefix` under `destination`, made when the first row is chosen.
    // The backup and the progress must outlive this object; all calls come
    // from the scanning thread. Rows are numbered in the order they come.
    StreamingExtraction(const BkfFileHandle& backup, std::string destination, std::string prefix, Chooser choose,
                        ExtractionProgress& progress, const ExtractionOptions& options = {});
    StreamingExtraction(const StreamingExtraction&) = delete;
    StreamingExtraction& operator=(const StreamingExtraction&) = delete;

    void AddRow(const CatalogueRow& row) override;
    // Kept until Finish: a folder's date is set after its files are written.
    void FolderDated(std::string_view folderPath, std::uint64_t modified) override;

    std::size_t RowsSeen() const { return m_rowsSeen; }
    std::size_t RowsChosen() const { return m_rowsChosen; }
    // True once saving cannot go on: the output root could not be made, or a
    // file was abandoned on a request to stop at once.
    bool Failed() const;
    // Sets the folders' dates and returns the report of the run; `completed`
    // says whether the scan saw every row.
    ExtractionReport Finish(bool completed);

private:
    bool EnsureRoot();

    const BkfFileHandle& m_backup;
    const std::string m_destination;
    const std::string m_prefix;
    const Chooser m_choose;
    ExtractionProgress& m_progress;
    const ExtractionOptions m_options;
    ExtractionReport m_report;
    std::optional<OutputRoot> m_root;
    std::unique_ptr<RowSaver> m_saver;
    std::unique_ptr<FileDates> m_dates;
    std::vector<FolderDate> m_folderDates;
    std::size_t m_rowsSeen = 0;
    std::size_t m_rowsChosen = 0;
    bool m_rootFailed = false;
};
