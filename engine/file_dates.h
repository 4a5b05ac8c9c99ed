// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Gives saved files and folders the modification dates their blocks record.
// A folder's date is set after its files are written (creating a file
// changes its folder's date), at the end of the save.

#include "catalogue_store.h"
#include "extraction_report.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class FileDates {
public:
    // `rootPath`: the output root, under which the components below lie.
    explicit FileDates(std::string rootPath) : m_root(std::move(rootPath)) {}

    // A file of the catalogue path `components` was saved as `savedAs`
    // (closed); sets its date and remembers where its folders went.
    void FileSaved(const std::vector<std::string>& components, const std::vector<std::string>& savedAs,
                   std::uint64_t modified, ExtractionReport& report);
    // Sets the dates of the folders that received saved files.
    void SetFolderDates(const std::vector<FolderDate>& folders, ExtractionReport& report) const;

private:
    void SetDate(const std::string& relative, std::uint64_t modified, ExtractionReport& report) const;

    std::string m_root;
    // Catalogue folder ("BKF\set\dir") -> folder as created ("BKF/set/dir").
    std::unordered_map<std::string, std::string> m_folders;
};
