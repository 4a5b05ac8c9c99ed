// SPDX-License-Identifier: GPL-3.0-or-later
// Sorting from the keyboard: View > Sort by acts on the list that has or
// last had the focus; a focused heading row sorts with Space and Enter.

#include "catalogue_controls_fixture.h"
#include "header_sort.h"
#include "list_sort_menu.h"
#include "sort_header.h"

#include <QHeaderView>

#include <gtest/gtest.h>

namespace {

std::string SortOf(const QTableView& view)
{
    const ListSort sort = CurrentSort(view);
    if (sort.column < 0)
        return "unsorted";
    return std::to_string(sort.column) + (sort.order == Qt::AscendingOrder ? " up" : " down");
}

struct SortCase {
    const char* focus; // "tree", "list", "list heading", "contents"
    const char* entry; // as shown, without its "&"
    std::string list, contents; // each list's sort afterwards
};

} // namespace

TEST(ListSortKeys, SortByActsOnTheFocusedOrLastFocusedList)
{
    CatalogueControls c;
    c.AddFile("BKF\\S\\a.txt");
    c.FinishScan();
    QMenu menu;
    ListSortMenu sortBy(menu, {&c.list, &c.contents});
    const SortCase cases[] = {
        {"tree", "File Size", "2 up", "unsorted"}, // neither had the focus yet: the found files
        {"contents", "Descending", "2 up", "0 down"},
        {"contents", "Modified", "2 up", "3 down"},
        {"tree", "Unsorted", "2 up", "unsorted"}, // the contents list had it last
        {"list heading", "Descending", "2 down", "unsorted"},
    };
    for (const SortCase& k : cases) {
        SCOPED_TRACE(std::string(k.focus) + " " + k.entry);
        QWidget* focus = std::string(k.focus) == "tree"       ? static_cast<QWidget*>(&c.tree)
                         : std::string(k.focus) == "contents" ? static_cast<QWidget*>(&c.contents)
                         : std::string(k.focus) == "list"     ? static_cast<QWidget*>(&c.list)
                                                              : c.list.horizontalHeader();
        QApplication::setActiveWindow(&c.window); // back from the menu before
        focus->setFocus(Qt::TabFocusReason);
        menu.popup(QPoint()); // filled as it opens
        QAction* chosen = nullptr;
        QStringList keys;
        for (QAction* action : menu.actions()) {
            if (QString(action->text()).remove('&') == k.entry)
                chosen = action;
            if (!action->isSeparator())
                keys << QKeySequence::mnemonic(action->text()).toString();
        }
        EXPECT_EQ(keys.removeDuplicates(), 0) << keys.join(' ').toStdString();
        ASSERT_NE(chosen, nullptr);
        chosen->trigger();
        menu.close();
        EXPECT_EQ(SortOf(c.list), k.list);
        EXPECT_EQ(SortOf(c.contents), k.contents);
    }
}

// Fault: the headings took no focus, so sorting needed the mouse.
TEST(ListSortKeys, AFocusedHeadingRowSortsWithSpaceAndEnter)
{
    CatalogueControls c;
    auto* header = qobject_cast<SortHeader*>(c.list.horizontalHeader());
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->focusPolicy(), Qt::TabFocus);
    const QImage unfocused = header->grab().toImage();
    header->setFocus(Qt::TabFocusReason);
    EXPECT_NE(header->grab().toImage(), unfocused) << "the chosen heading shows a frame";
    const std::pair<Qt::Key, const char*> keys[] = {
        {Qt::Key_Space, "0 up"},   {Qt::Key_Right, "0 up"}, {Qt::Key_Space, "1 up"},
        {Qt::Key_Return, "1 down"}, {Qt::Key_Enter, "unsorted"}, {Qt::Key_End, "unsorted"},
        {Qt::Key_Space, "5 up"}, // the hidden offset column is passed over
    };
    for (const auto& [key, sorted] : keys) {
        QTest::keyClick(header, key);
        EXPECT_EQ(SortOf(c.list), sorted) << QKeySequence(key).toString().toStdString();
    }
}
