// SPDX-License-Identifier: GPL-3.0-or-later
#include "header_sort.h"

#include <QHeaderView>
#include <QTableView>

namespace {

// Called after the header's own handling of the click, which may have moved
// the arrow already: the cycle is decided from what was shown before.
class HeaderSortCycle : public QObject {
public:
    static constexpr const char* kName = "headerSortCycle";

    explicit HeaderSortCycle(QTableView& view) : QObject(&view), m_view(view)
    {
        setObjectName(kName);
        QHeaderView* header = view.horizontalHeader();
        header->setSectionsClickable(true);
        header->setSortIndicatorShown(false);
        connect(header, &QHeaderView::sectionClicked, this, &HeaderSortCycle::Clicked);
    }

    void Sort(int column, Qt::SortOrder order)
    {
        m_column = column;
        m_order = order;
        QHeaderView* header = m_view.horizontalHeader();
        header->setSortIndicatorShown(m_column >= 0);
        if (m_column >= 0)
            header->setSortIndicator(m_column, m_order);
        m_view.model()->sort(m_column, m_order);
    }

    ListSort Current() const { return ListSort{m_column, m_order}; }

private:
    void Clicked(int column)
    {
        if (column != m_column)
            Sort(column, Qt::AscendingOrder);
        else if (m_order == Qt::AscendingOrder)
            Sort(column, Qt::DescendingOrder);
        else
            Sort(-1, Qt::AscendingOrder);
    }

    QTableView& m_view;
    int m_column = -1;
    Qt::SortOrder m_order = Qt::AscendingOrder;
};

} // namespace

void EnableHeaderSort(QTableView& view)
{
    new HeaderSortCycle(view);
}

namespace {

// The cycle has no meta-object of its own: found by its name.
HeaderSortCycle* CycleOf(const QTableView& view)
{
    return static_cast<HeaderSortCycle*>(view.findChild<QObject*>(HeaderSortCycle::kName, Qt::FindDirectChildrenOnly));
}

} // namespace

void SortList(QTableView& view, int column, Qt::SortOrder order)
{
    if (HeaderSortCycle* cycle = CycleOf(view))
        cycle->Sort(column, order);
}

ListSort CurrentSort(const QTableView& view)
{
    const HeaderSortCycle* cycle = CycleOf(view);
    return cycle != nullptr ? cycle->Current() : ListSort{};
}
