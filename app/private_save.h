// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saves chosen rows (not the ticked ones) into a private temporary folder
// through the window's own save, for a file opened with the desktop's
// program or dragged out onto a file manager. The folder (mode 0700) and
// everything in it go with this object, when the program ends.

#include "catalogue_store.h"
#include "extraction_report.h"

#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class PrivateSave {
public:
    // Runs the window's save of the ticked rows of a catalogue into a folder
    // (ends with "/"); false when it did not run or the program ends now.
    using SaveRunner =
        std::function<bool(const CatalogueStore& rows, const std::string& destination, ExtractionReport& report)>;
    // Hears each row whose whole data the save compared with their checksum.
    using DataChecked = std::function<void(std::size_t row, bool intact)>;

    PrivateSave(SaveRunner run, DataChecked checked);

    // Saves `rows` of `store` into a fresh output root in the private folder.
    // Nothing when the save did not run (or no private folder could be made).
    std::optional<ExtractionReport> Save(const CatalogueStore& store, const std::vector<std::size_t>& rows);
    // The report's rows are numbered as the rows were given to Save: the
    // first is row 0 (SavedFilePath).

private:
    SaveRunner m_run;
    DataChecked m_checked;
    QTemporaryDir m_folder;
};
