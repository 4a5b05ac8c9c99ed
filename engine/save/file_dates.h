// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Gives saved files and folders the modification dates their blocks record,
// through the open file and folders reached from the output root without
// following links: never by a path someone could swap for a link. A
// folder's date is set after its files are written (creating a file changes
// its folder's date), at the end of the save.

#include "catalogue_store.h"
#include "extraction_report.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class OutputFile;
class OutputRoot;

class FileDates {
public:
    // `root` (the save's output root) must outlive this object.
    explicit FileDates(OutputRoot& root) : m_root(root) {}

    // A file of the catalogue path `components` was saved as `savedAs`, and
    // `file` is still open: sets its date and remembers where its folders went.
    void FileSaved(const std::vector<std::string>& components, const std::vector<std::string>& savedAs,
                   std::uint64_t modified, OutputFile& file, ExtractionReport& report);
    // Sets the dates of the folders that received saved files.
    void SetFolderDates(const std::vector<FolderDate>& folders, ExtractionReport& report) const;

private:
    OutputRoot& m_root;
    // Catalogue folder ("BKF\set\dir") -> its components as created.
    std::unordered_map<std::string, std::vector<std::string>> m_folders;
};
