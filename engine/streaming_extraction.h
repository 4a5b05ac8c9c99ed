// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saves the chosen rows while the scan reports them. A file's data follow its
// FILE block, so they are copied just before the scan reads them: a backup
// that is not in the page cache is read from the disk once instead of twice
// (once by the scan, once by a save after it).

#include "extraction_report.h"
#include "output_root.h"
#include "row_saver.h"
#include "scan_sinks.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class BkfFileHandle;
class CatalogueStore;
class ExtractionProgress;

class StreamingExtraction : public CatalogueSink {
public:
    using Chooser = std::function<bool(std::string_view cataloguePath)>;

    // Every row goes into `store`, ticked when `choose` takes it; a chosen row
    // is saved at once below a new output root named after `prefix` under
    // `destination`, made when the first row is chosen. The backup, the store
    // and the progress must outlive this object; all calls come from the
    // scanning thread.
    StreamingExtraction(const BkfFileHandle& backup, CatalogueStore& store, std::string destination,
                        std::string prefix, Chooser choose, ExtractionProgress& progress);
    StreamingExtraction(const StreamingExtraction&) = delete;
    StreamingExtraction& operator=(const StreamingExtraction&) = delete;

    void AddRow(const CatalogueRow& row) override;

    // True once saving cannot go on: the output root could not be made, or a
    // file was abandoned on a request to stop at once.
    bool Failed() const;
    // The report of the run; `completed` says whether the scan saw every row.
    ExtractionReport Finish(bool completed);

private:
    bool EnsureRoot();

    const BkfFileHandle& m_backup;
    CatalogueStore& m_store;
    const std::string m_destination;
    const std::string m_prefix;
    const Chooser m_choose;
    ExtractionProgress& m_progress;
    ExtractionReport m_report;
    std::optional<OutputRoot> m_root;
    std::unique_ptr<RowSaver> m_saver;
    bool m_rootFailed = false;
};
