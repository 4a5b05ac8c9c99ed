// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Sort by" for the list the user works in: the list that has the focus (its
// heading row included) or had it last, the first of the lists until one of
// them had it. Filled anew each time it opens: one entry per shown column of
// that list (checked: the column it is sorted by), then ascending and
// descending (checked: the order), then the list's own order. A choice sorts
// as the headings do (header_sort.h); the menu is disabled while the list is
// not on screen.

#include "header_sort.h"

#include <QObject>

#include <vector>

class QMenu;
class QTableView;

class ListSortMenu : public QObject {
    Q_OBJECT

public:
    // `menu` and `lists` outlive this object; every list has header sorting.
    ListSortMenu(QMenu& menu, std::vector<QTableView*> lists);

    // The list a choice sorts.
    QTableView* Target() const { return m_target; }
    // Rebuilds the entries for the target list.
    void Fill();

private:
    void FollowFocus(QWidget* now);
    void AddColumns(const ListSort& sort, QString& usedKeys);
    void AddOrders(const ListSort& sort);

    QMenu& m_menu;
    std::vector<QTableView*> m_lists;
    QTableView* m_target;
    QObject* m_groups = nullptr; // owns the entries' action groups until the next Fill
};
