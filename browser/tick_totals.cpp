// SPDX-License-Identifier: GPL-3.0-or-later
#include "tick_totals.h"

#include "catalogue_list_model.h"
#include "catalogue_store.h"
#include "human_texts.h"
#include "texts.h"

QString TickTotalsText(const CatalogueStore& store, const QLocale& locale)
{
    if (store.RowCount() == 0)
        return QString();
    return Texts::Tr("%1 of %2 files ticked, %3")
        .arg(locale.toString(static_cast<qulonglong>(store.TickedCount())),
             locale.toString(static_cast<qulonglong>(store.RowCount())),
             HumanBytesText(store.TickedBytes(), locale));
}

void WatchTickTotals(const CatalogueListModel& model, QObject* context, const std::function<void(const QString&)>& show)
{
    const auto refresh = [&model, show] { show(TickTotalsText(model.Store())); };
    // Every tick change reaches the list as dataChanged (the tree's through
    // RefreshTicks); rows come and go with inserts, removals and resets.
    QObject::connect(&model, &QAbstractItemModel::dataChanged, context, refresh);
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, context, refresh);
    QObject::connect(&model, &QAbstractItemModel::rowsRemoved, context, refresh);
    QObject::connect(&model, &QAbstractItemModel::modelReset, context, refresh);
    refresh();
}
