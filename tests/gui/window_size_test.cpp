// SPDX-License-Identifier: GPL-3.0-or-later
// Sizes that follow the screen and the lists' contents: the window's least
// size leaves room for its frame, and narrow lists give way by the name first.

#include "column_fit.h"
#include "window_layout.h"

#include <gtest/gtest.h>

TEST(WindowSize, TheLeastSizeLeavesRoomForTheFrame)
{
    const QSize designed(870, 550);
    const struct {
        QSize available;
        QMargins frame;
        QSize least;
    } cases[] = {
        {{1920, 1050}, {1, 24, 1, 1}, {870, 550}}, // a large screen: as designed
        {{960, 540}, {0, 0, 0, 0}, {870, 540}},    // 200 % on 1920 x 1080 without frame
        {{960, 540}, {2, 12, 2, 2}, {870, 526}},   // the same with a title bar
        {{800, 480}, {4, 36, 4, 4}, {792, 440}},   // both ways smaller
        {{20, 20}, {4, 36, 4, 4}, {12, 1}},        // never empty
    };
    for (const auto& c : cases)
        EXPECT_EQ(MinimumWindowSize(designed, c.available, c.frame), c.least) << c.available.height();
}

TEST(WindowSize, ColumnsGiveWayNameFirstAndTheLastTakesTheRest)
{
    // name, type, size, (hidden), modified, status
    const ColumnRoom room{{300, 120, 70, 0, 130, 90}, {{0, 160}, {1, 60}, {0, 60}}};
    const struct {
        int available;
        QList<int> widths;
    } cases[] = {
        {900, {300, 120, 70, 0, 130, 280}}, // spare width to the last column
        {710, {300, 120, 70, 0, 130, 90}},  // exactly the needs
        {600, {190, 120, 70, 0, 130, 90}},  // the name gives way first
        {520, {160, 70, 70, 0, 130, 90}},   // then the type
        {450, {100, 60, 70, 0, 130, 90}},   // then the name again
        {300, {60, 60, 70, 0, 130, 90}},    // then the list scrolls: dates and states whole
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitColumns(room, c.available), c.widths) << c.available;
}
