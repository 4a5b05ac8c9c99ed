// SPDX-License-Identifier: GPL-3.0-or-later
#include "column_fit.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QHeaderView>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <numeric>

QList<int> FitColumns(const ColumnRoom& room, int available)
{
    QList<int> widths = room.needs;
    if (widths.isEmpty())
        return widths;
    int excess = std::accumulate(widths.begin(), widths.end(), 0) - std::max(available, 0);
    for (const GivingWay& step : room.givingWay) {
        if (excess <= 0)
            break;
        if (step.column < 0 || step.column >= widths.size() || widths[step.column] <= step.floor)
            continue;
        const int given = std::min(excess, widths[step.column] - step.floor);
        widths[step.column] -= given;
        excess -= given;
    }
    if (excess < 0)
        widths.back() -= excess; // the last column takes the spare width
    return widths;
}

namespace {

// Watches one view and fits its columns.
class ColumnFitter : public QObject {
public:
    ColumnFitter(QTableView& view, int name, int type)
        : QObject(&view), m_view(view), m_viewport(view.viewport()), m_name(name), m_type(type)
    {
        m_view.horizontalHeader()->setStretchLastSection(false);
        m_later.setSingleShot(true);
        m_later.setInterval(0);
        connect(&m_later, &QTimer::timeout, this, &ColumnFitter::Fit);
        m_viewport->installEventFilter(this);
        m_view.installEventFilter(this);
        QAbstractItemModel* model = m_view.model();
        const auto later = [this] { m_later.start(); };
        connect(model, &QAbstractItemModel::modelReset, this, later);
        connect(model, &QAbstractItemModel::layoutChanged, this, later);
        connect(model, &QAbstractItemModel::rowsInserted, this, later);
        connect(model, &QAbstractItemModel::rowsRemoved, this, later);
        m_later.start();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Compares addresses only: events come also while the view is taken down.
        const bool resized = watched == m_viewport && event->type() == QEvent::Resize;
        if (resized || (watched == &m_view && event->type() == QEvent::FontChange))
            Fit();
        return false;
    }

private:
    void Fit()
    {
        const QAbstractItemModel* model = m_view.model();
        const QHeaderView* header = m_view.horizontalHeader();
        const auto& cells = static_cast<const QAbstractItemView&>(m_view); // its size hints are public there
        const int character = m_view.fontMetrics().averageCharWidth();
        ColumnRoom room{{}, {{m_name, character * 24}, {m_type, character * 10}, {m_name, character * 10}}};
        for (int column = 0; column < model->columnCount(); ++column)
            room.needs << (m_view.isColumnHidden(column)
                               ? 0
                               : std::max(header->sectionSizeHint(column), cells.sizeHintForColumn(column)));
        const QList<int> widths = FitColumns(room, m_view.viewport()->width());
        for (int column = 0; column < widths.size(); ++column)
            if (!m_view.isColumnHidden(column))
                m_view.setColumnWidth(column, widths[column]);
    }

    QTableView& m_view;
    QObject* const m_viewport;
    const int m_name;
    const int m_type;
    QTimer m_later; // gathers the changes of the rows into one fit
};

} // namespace

void KeepColumnsFitted(QTableView& view, int name, int type)
{
    new ColumnFitter(view, name, type);
}
