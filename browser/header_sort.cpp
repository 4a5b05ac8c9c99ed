// SPDX-License-Identifier: GPL-3.0-or-later
#include "header_sort.h"

#include <QHeaderView>
#include <QTableView>

namespace {

// Called after the header's own handling of the click, which may have moved
// the arrow already: the cycle is decided from what was shown before.
class HeaderSortCycle : public QObject {
public:
    explicit HeaderSortCycle(QTableView& view) : QObject(&view), m_view(view)
    {
        QHeaderView* header = view.horizontalHeader();
        header->setSectionsClickable(true);
        header->setSortIndicatorShown(false);
        connect(header, &QHeaderView::sectionClicked, this, &HeaderSortCycle::Clicked);
    }

private:
    void Clicked(int column)
    {
        if (column != m_column) {
            m_column = column;
            m_order = Qt::AscendingOrder;
        } else if (m_order == Qt::AscendingOrder) {
            m_order = Qt::DescendingOrder;
        } else {
            m_column = -1;
        }
        QHeaderView* header = m_view.horizontalHeader();
        header->setSortIndicatorShown(m_column >= 0);
        if (m_column >= 0)
            header->setSortIndicator(m_column, m_order);
        m_view.model()->sort(m_column, m_order);
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
