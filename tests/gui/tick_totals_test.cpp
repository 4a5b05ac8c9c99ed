// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar's tick totals: grouped as the locale groups numbers, bytes
// in human units, nothing for an empty catalogue.

#include "catalogue_store.h"
#include "tick_totals.h"

#include <gtest/gtest.h>

namespace {

TEST(TickTotals, TextGroupsTheCountsAsTheLocaleDoes)
{
    struct Case {
        QLocale locale;
        std::size_t rows;
        std::size_t ticked; // the first rows; the first one holds 3.2 GiB, the others nothing
        const char* text;
    };
    const Case cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), 5678, 1234, "1,234 of 5,678 files ticked, 3.2 GiB"},
        {QLocale(QLocale::German, QLocale::Germany), 5678, 1234, "1.234 of 5.678 files ticked, 3.2 GiB"},
        {QLocale::c(), 5678, 0, "0 of 5678 files ticked, 0 B"},
        {QLocale::c(), 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CatalogueStore store;
        for (std::size_t row = 0; row < c.rows; ++row)
            store.Append(CatalogueRow{"BKF\\S\\f", true, row == 0 ? 3'435'973'837u : 0u, 0});
        for (std::size_t row = 0; row < c.ticked; ++row)
            store.SetTicked(row, true);
        EXPECT_EQ(TickTotalsText(store, c.locale).toStdString(), c.text);
    }
}

} // namespace
