// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A save that goes on in the output folder an earlier save of the same backup
// left: finding that folder, and opening the root of a save, new or continued.

#include "extraction_options.h"
#include "extraction_report.h"
#include "output_root.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class CatalogueStore;

struct EarlierSave {
    std::string folder;         // full path of the output folder
    std::size_t filesThere = 0; // ticked rows whose file is there as long as the row's data
};

// The folder a continued save goes on in (see OutputRoot::OpenLatest), when it
// holds a file of at least one ticked row of `rows` at that row's path, as
// long as the row's data in a backup of `backupSize` bytes: then it is the
// output of an earlier save of this backup. Reads names and sizes only. A
// save that continues it is given this very folder (ExtractionOptions::continueIn).
std::optional<EarlierSave> FindEarlierSave(const std::string& destination, const std::string& prefix,
                                           const CatalogueStore& rows, std::uint64_t backupSize);

// The output root of a save under `destination`: with `options.continueSave`
// the folder `options.continueIn`, or the latest existing one when that is
// empty (a new one when it cannot be opened), otherwise a new one. Notes in
// `report` which one it is, or why there is none.
std::optional<OutputRoot> OpenSaveRoot(const std::string& destination, const std::string& prefix,
                                       const ExtractionOptions& options, ExtractionReport& report);
