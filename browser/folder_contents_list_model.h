// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows of the folder contents list: a snapshot of one folder taken by
// ShowFolder. Row 0 is the parent row ".." when the folder has a parent, then
// one row per subfolder in tree order, then one row per file lying directly in
// the folder in catalogue order; a heading click sorts the folders and the
// files among themselves, the parent row staying first. Folder and file rows
// carry a tri-state box; the parent row carries the marker, which never
// changes. RefreshStates brings the boxes in step with ticks and folder
// states changed elsewhere.

#include "catalogue_store.h"
#include "check_state.h"

#include <QAbstractTableModel>

#include <cstddef>
#include <cstdint>
#include <vector>

class CatalogueStore;
class FolderNode;
class FolderTreeModel;
class ShellFileInfo;

class FolderContentsListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { NameColumn, TypeColumn, SizeColumn, ModifiedColumn, StatusColumn, ColumnCount };
    enum class RowKind { Parent, Folder, File };

    // The models and the type helper outlive this model.
    FolderContentsListModel(FolderTreeModel& tree, const CatalogueStore& store, ShellFileInfo& fileInfo,
                            QObject* parent = nullptr);

    // Replaces every row by the contents of `node`; with null the list is empty.
    void ShowFolder(const FolderNode* node);
    // The folder shown, or null.
    const FolderNode* ShownFolder() const { return m_folder; }

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    bool IsRow(int row) const { return row >= 0 && row < RowCount(); }
    RowKind Kind(int row) const { return m_rows[static_cast<std::size_t>(row)].kind; }
    // Column 0: ".." , a folder's text or a file name.
    QString Name(int row) const;
    // The box of a row; the parent row's marker counts as no state (Unchecked).
    CheckState GetCheckState(int row) const;
    // Sets a folder or file row's box; the parent row's marker stays.
    void SetCheckState(int row, CheckState state);
    // Every folder and file row to `state`.
    void SetAllRows(CheckState state);
    // Each file row from its catalogue row's tick and state, each folder row from its node.
    void RefreshStates();
    // The catalogue row of a file row; kNoRow for other rows.
    static constexpr std::size_t kNoRow = static_cast<std::size_t>(-1);
    std::size_t CatalogueRowOf(int row) const { return m_rows[static_cast<std::size_t>(row)].catalogueRow; }

    // Folders, then files, each by `column` in `order`; a negative column is
    // the order ShowFolder gives. Kept for the folders shown later. One reset.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct Row {
        QString name;
        std::uint64_t size = 0;
        RowKind kind = RowKind::File;
        bool hasSize = false;
        CheckState state = CheckState::Unchecked;
        std::uint64_t modified = 0; // packed date; 0 unknown (always for folders)
        RowStatus status = RowStatus::NotChecked;
        std::size_t place = 0; // position ShowFolder gave the row
        std::size_t catalogueRow = kNoRow;
    };
    CheckState CurrentState(const Row& row) const;
    // A file that was not found has no tick box: nothing to save.
    static bool Tickable(const Row& row) { return row.kind != RowKind::File || IsListedFile(row.status); }

    void AddFileRow(std::size_t catalogueRow);
    void SortRows();
    // Whether `a` goes before `b` in the sort column, ascending.
    bool Before(const Row& a, const Row& b) const;
    QVariant DisplayText(const Row& row, int column) const;
    QVariant LookOf(const Row& row, int column, int role) const;
    void NotifyRows(int first, int last);

    FolderTreeModel& m_tree;
    const CatalogueStore& m_store;
    ShellFileInfo& m_fileInfo;
    const FolderNode* m_folder = nullptr;
    std::vector<Row> m_rows;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
