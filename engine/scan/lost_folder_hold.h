// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows of a set from its first file in a "lost dir" on, held until the
// set's own catalogue has been weighed (it follows the set): the catalogue
// may name the lost folder, whose files and folder block then take that
// folder's path. Rows leave in the order they came, so that a set whose lost
// folder nothing names lists as it would without the hold. A set without a
// lost folder holds nothing; a hold that outgrows its bound is passed on as
// it stands, and the rest of the set is not held.

#include "path_limits.h"
#include "scan_report.h"
#include "scan_sinks.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Where a lost folder ("\lost dir0\") lies in a catalogue path; none when
// `length` is 0. `noted`: the report counts the file among those put into
// a lost folder, unless the folder is named.
struct LostPlace {
    std::size_t at = 0;
    std::size_t length = 0;
    bool noted = false;
};

// A lost folder ("\lost dir0\") and the path its set's catalogue gives it.
using NamedFolders = std::vector<std::pair<std::string, std::string>>;

class LostFolderHold {
public:
    LostFolderHold(const ScanSinks& sinks, ScanReport& report, const PathLimits& limits)
        : m_sinks(sinks), m_report(report), m_limits(limits)
    {
    }

    // A file's row, passed on at once unless rows are held.
    void Row(const CatalogueRow& row)
    {
        if (m_holding)
            Hold(Item{row, std::string(row.path), LostPlace{}, false, 0, {}});
        else
            m_sinks.catalogue.AddRow(row);
    }
    // The same for a row that may lie in a lost folder: held unless the bound was reached.
    void Row(const CatalogueRow& row, const LostPlace& place);
    // The block of a lost folder: its path ("BKF\set\lost dir0\"), its date,
    // and the report's words for it should it stay lost.
    void Folder(std::string_view path, const LostPlace& place, std::uint64_t modified, bool verified,
                std::string note);
    // Passes every held row and folder on, those of a folder `named` names
    // under its path; the next set may be held again.
    void Release(const NamedFolders& named = {});

private:
    struct Item {
        CatalogueRow row; // a folder's: `verified` alone
        std::string path;
        LostPlace place;
        bool folder = false;
        std::uint64_t modified = 0; // a folder's date
        std::string note;           // a folder's words for the report
    };
    static constexpr std::size_t kLimit = 32u << 20; // bytes of held rows

    void Hold(Item item);
    bool PassOn(Item& item, const std::string* named);

    const ScanSinks& m_sinks;
    ScanReport& m_report;
    const PathLimits& m_limits;
    std::vector<Item> m_items;
    bool m_holding = false; // items are held
    std::size_t m_bytes = 0;
    bool m_passOn = false; // the bound was reached in this set
};
