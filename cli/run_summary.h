// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The summary line at the end of a run.

#include "extraction_report.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Counts the backup sets that the catalogue paths of a scan belong to.
class SetCounter {
public:
    void Add(std::string_view cataloguePath);
    std::uint64_t Sets() const { return m_sets; }

private:
    std::string m_lastSet;
    std::uint64_t m_sets = 0;
};

// "4 files in 1 set found in 0.1 s".
std::string ListSummary(std::uint64_t files, std::uint64_t sets, double seconds);
// "600 files, 63.5 MiB saved into ROOT in 2.1 s", with the files of
// `chosen` that were not saved completely.
std::string SaveSummary(const ExtractionReport& report, std::size_t chosen, double seconds);
