// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Passes the scan's rows on to a catalogue, counting those it took and those
// it could not take (memory ran out while adding one, for example), so that
// a lost row is counted in the scan report instead of vanishing.

#include "scan_sinks.h"

#include <cstdint>
#include <exception>

class GuardedCatalogue : public CatalogueSink {
public:
    // `next` must outlive this object.
    explicit GuardedCatalogue(CatalogueSink& next) : m_next(next) {}

    void AddRow(const CatalogueRow& row) override
    {
        try {
            m_next.AddRow(row);
            ++m_added;
        } catch (const std::exception&) {
            ++m_notAdded;
        }
    }
    std::uint64_t Added() const { return m_added; }
    std::uint64_t NotAdded() const { return m_notAdded; }

private:
    CatalogueSink& m_next;
    std::uint64_t m_added = 0;
    std::uint64_t m_notAdded = 0;
};
