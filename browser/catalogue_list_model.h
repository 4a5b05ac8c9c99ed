// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The found-files list: a table model over the CatalogueStore, one row per
// catalogued file in catalogue order, never sorted. The check box of column 0
// is the row's tick, the one thing a save reads.
//
// The store is filled by the caller; the model only announces what the store
// already holds, so a whole batch of rows costs one insertion signal.

#include "shell_file_info.h"

#include <QAbstractTableModel>

#include <functional>
#include <vector>

class CatalogueStore;

class CatalogueListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        FileNameColumn,  // the catalogue path
        FileTypeColumn,  // from the extension, looked up when the row is shown
        FileSizeColumn,  // decimal bytes; empty when the data were not located
        OffsetColumn,    // decimal backup position of the first data byte; empty title
        ColumnCount
    };

    explicit CatalogueListModel(CatalogueStore& store, QObject* parent = nullptr);

    // Announces the rows appended to the store since the last announcement in
    // one beginInsertRows/endInsertRows. Resets instead if the store shrank.
    void AppendRows();
    // Runs `append`, which appends rows to the store, then announces them.
    void AppendRows(const std::function<void(CatalogueStore&)>& append);
    // Rereads the whole store: one model reset. The second form changes the
    // store (Clear, for one) inside the reset.
    void Reset();
    void Reset(const std::function<void(CatalogueStore&)>& change);

    // Ticks of rows [firstRow, lastRow] were changed through the store (by the
    // tree, for one): one ranged dataChanged.
    void RefreshTicks(int firstRow, int lastRow);
    // Ticks or unticks every row, as at the end of a scan.
    void SetAllTicked(bool ticked);
    // A tick change made in the found-files list itself, on catalogue rows
    // `rows`: one ranged dataChanged, then rowsTicked, on which the tree and
    // the contents list follow. (setData changes the tick alone: the contents
    // list, which uses it, rolls up by itself.)
    void SetTicked(const std::vector<std::size_t>& rows, bool ticked);

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

private:
    bool IsRow(const QModelIndex& index) const;
    QVariant DisplayText(std::size_t row, int column) const;
    void NotifyTicks(int firstRow, int lastRow);

    CatalogueStore& m_store;
    int m_rowCount = 0; // rows announced to views
    mutable ShellFileInfo m_fileInfo;
};
