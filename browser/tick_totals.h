// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How much is ticked, as the status bar says it: "1,234 of 5,678 files
// ticked, 3.2 GiB". The store keeps the totals, so the text costs nothing
// per change however large the catalogue.

#include <QLocale>
#include <QString>

#include <functional>

class CatalogueListModel;
class CatalogueStore;
class QObject;

// The numbers written as `locale` writes them; empty for an empty catalogue.
QString TickTotalsText(const CatalogueStore& store, const QLocale& locale = QLocale());

// Calls `show` with the text now and after every change of the ticks or rows
// that `model` announces, for as long as `context` lives.
void WatchTickTotals(const CatalogueListModel& model, QObject* context, const std::function<void(const QString&)>& show);
