// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar's tick totals: numbers as the locale writes them, bytes in
// human units, nothing for an empty catalogue.

#include "catalogue_store.h"
#include "tick_totals.h"

#include <gtest/gtest.h>

TEST(TickTotals, TextGroupsTheCountsAsTheLocaleDoes)
{
    CatalogueStore store;
    EXPECT_EQ(TickTotalsText(store), "");
    for (std::size_t row = 0; row < 5678; ++row)
        store.Append(CatalogueRow{"BKF\\S\\f", true, row == 0 ? 3'435'973'837u : 0u, 0});
    for (std::size_t row = 0; row < 1234; ++row)
        store.SetTicked(row, true);
    EXPECT_EQ(TickTotalsText(store, QLocale(QLocale::English)), "1,234 of 5,678 files ticked, 3.2 GiB");
    EXPECT_EQ(TickTotalsText(store, QLocale(QLocale::German)), "1.234 of 5.678 files ticked, 3,2 GiB");
}
