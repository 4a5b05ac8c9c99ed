// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The found-files list: a table model over the CatalogueStore, one row per
// catalogued file that the filter lets through, in the scan's order or sorted
// by a column. The shown order is a vector of catalogue row numbers; every
// mapping from a list row to a catalogue row goes through CatalogueRowAt. The
// check box of column 0 is the row's tick, kept by catalogue row in the store:
// sorting and filtering never change a tick.
//
// The store is filled by the caller; the model only announces what the store
// already holds, so a whole batch of rows costs one insertion signal.

#include "row_filter.h"
#include "shell_file_info.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <functional>
#include <vector>

class CatalogueStore;

class CatalogueListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        FileNameColumn,  // the catalogue path
        FileTypeColumn,  // from the extension, looked up when the row is shown
        FileSizeColumn,  // human units, the bytes in the tooltip; empty when the data were not located
        OffsetColumn,    // decimal backup position of the first data byte; empty title
        ModifiedColumn,  // the FILE block's date
        StatusColumn,    // what the scan could tell about the row
        ColumnCount
    };

    explicit CatalogueListModel(CatalogueStore& store, QObject* parent = nullptr);

    // Announces the rows appended to the store since the last announcement in
    // one beginInsertRows/endInsertRows; those the filter lets through go at
    // the end of the shown order, also when it is sorted. Resets instead if
    // the store shrank.
    void AppendRows();
    // Runs `append`, which appends rows to the store, then announces them.
    void AppendRows(const std::function<void(CatalogueStore&)>& append);
    // Rereads the whole store: one model reset. The second form changes the
    // store (Clear, for one) inside the reset.
    void Reset();
    void Reset(const std::function<void(CatalogueStore&)>& change);

    // Ticks of catalogue rows [firstRow, lastRow] were changed through the
    // store (by the tree, for one): one ranged dataChanged.
    void RefreshTicks(int firstRow, int lastRow);
    // Ticks or unticks every row, as at the end of a scan.
    void SetAllTicked(bool ticked);
    // Every shown cell may have changed (the statuses a save set): one dataChanged.
    void RefreshRows();
    // A tick change made in the found-files list itself, on catalogue rows
    // `rows`: one ranged dataChanged, then rowsTicked, on which the tree and
    // the contents list follow. (setData changes the tick alone: the contents
    // list, which uses it, rolls up by itself.)
    void SetTicked(const std::vector<std::size_t>& rows, bool ticked);
    // Ticks or unticks one catalogue row, shown or not, as SetTicked does.
    void SetCatalogueRowTicked(std::size_t catalogueRow, bool ticked);
    // Ticks or unticks the rows the filter shows, and no others.
    void SetShownTicked(bool ticked);

    // The catalogue row behind list row `row` (0 <= row < rowCount()).
    std::size_t CatalogueRowAt(int row) const { return m_shown[static_cast<std::size_t>(row)]; }
    // The list index of a catalogue row's column, invalid when it is not shown.
    QModelIndex IndexOfCatalogueRow(std::size_t catalogueRow, int column = FileNameColumn) const;
    // Rows in the store that the model took in (shown or hidden).
    int TotalRowCount() const { return m_storeRows; }

    // Shows only the rows `settings` let through; ticks stay. One reset.
    void SetFilter(const RowFilterSettings& settings);
    const RowFilterSettings& Filter() const { return m_filter.Settings(); }
    // A column in ascending or descending order; a negative column is the
    // scan's order. Ties keep the scan's order. One reset.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    int SortColumn() const { return m_sortColumn; }

    ShellFileInfo& FileInfo() { return m_fileInfo; }
    CatalogueStore& Store() const { return m_store; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // CheckStateRole on column 0 ticks or unticks the row.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void rowsTicked(const std::vector<std::size_t>& rows);
    // The number of shown or total rows changed.
    void countsChanged();

private:
    bool IsRow(const QModelIndex& index) const;
    // A file that was not found has no tick box: nothing to save.
    bool Tickable(std::size_t catalogueRow) const;
    QVariant DisplayText(std::size_t row, int column) const;
    QVariant LookOf(std::size_t row, int column, int role) const;
    void NotifyTicks(int firstRow, int lastRow);
    // The scan's order or the sorted order of every row taken in.
    std::vector<std::uint32_t> FullOrder() const;
    void Rebuild(bool narrowing);
    // Fills m_sorted with every row taken in, in the order of the sort column.
    void SortAll();
    bool IsScanOrderUnfiltered() const { return m_sortColumn < 0 && m_filter.PassesAll(); }

    CatalogueStore& m_store;
    int m_storeRows = 0; // store rows taken in, shown or hidden
    std::vector<std::uint32_t> m_sorted; // every row taken in, sorted; empty in scan order
    std::vector<std::uint32_t> m_shown;  // the list's rows: catalogue row numbers
    RowFilter m_filter;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    mutable ShellFileInfo m_fileInfo;
};
