// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The room engine/save/: copying and checking rows' data. The save of ticked
// rows (file_extraction, streaming_extraction, row_saver) and its report
// (extraction_report, saved_places), output names, paths and folders
// (output_name, output_path, output_root; system calls in *_posix.cpp), dates
// (file_dates), a continued save (continued_save, saved_file_check), the check
// of data against their checksums (data_check, range_checksum_reader), a
// file's first bytes (row_head) and the tree a mount shows (mount_tree).
//
// Copies the ticked rows of a catalogue out of the backup into a new output
// root folder.

#include "extraction_options.h"
#include "extraction_report.h"

#include <atomic>
#include <string>

class BkfFileHandle;
class CatalogueStore;
class ExtractionProgress;

// Creates a new folder under `destination` (made if missing) named after
// `prefix` and saves every ticked row of `rows` below it at its catalogue
// path. `running` is polled before each row: once it is cleared the run ends
// after the file being written. The rows must not change while it runs.
// With `options.restoreTimes` files and then folders get their recorded
// dates. With `options.continueSave` the save goes on in the latest existing
// folder of that name, keeping the files there whole (see RowSaver). Runs on
// the calling thread.
ExtractionReport ExtractCheckedFiles(const BkfFileHandle& backup, const CatalogueStore& rows,
                                     const std::string& destination, const std::string& prefix,
                                     const std::atomic<bool>& running, ExtractionProgress& progress,
                                     const ExtractionOptions& options = {});
