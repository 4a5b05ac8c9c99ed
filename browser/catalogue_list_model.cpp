// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_list_model.h"

#include "browser_images.h"
#include "catalogue_store.h"
#include "texts.h"

#include <QColor>

#include <algorithm>
#include <limits>

namespace {

// A ticked row is drawn red on pale rose, so what will be saved stands out.
const QColor kTickedText(255, 0, 0);
const QColor kTickedBackground(248, 233, 243);

int ClampedRowCount(std::size_t rows)
{
    return static_cast<int>(std::min<std::size_t>(rows, std::numeric_limits<int>::max()));
}

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CatalogueListModel::CatalogueListModel(CatalogueStore& store, QObject* parent)
    : QAbstractTableModel(parent)
    , m_store(store)
    , m_rowCount(ClampedRowCount(store.RowCount()))
{
}

void CatalogueListModel::AppendRows()
{
    const int count = ClampedRowCount(m_store.RowCount());
    if (count < m_rowCount) {
        Reset();
        return;
    }
    if (count == m_rowCount)
        return;
    beginInsertRows({}, m_rowCount, count - 1);
    m_rowCount = count;
    endInsertRows();
}

void CatalogueListModel::AppendRows(const std::function<void(CatalogueStore&)>& append)
{
    append(m_store);
    AppendRows();
}

void CatalogueListModel::Reset()
{
    beginResetModel();
    m_rowCount = ClampedRowCount(m_store.RowCount());
    endResetModel();
}

void CatalogueListModel::Reset(const std::function<void(CatalogueStore&)>& change)
{
    beginResetModel();
    change(m_store);
    m_rowCount = ClampedRowCount(m_store.RowCount());
    endResetModel();
}

void CatalogueListModel::RefreshTicks(int firstRow, int lastRow)
{
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, m_rowCount - 1);
    if (firstRow <= lastRow)
        NotifyTicks(firstRow, lastRow);
}

void CatalogueListModel::SetAllTicked(bool ticked)
{
    m_store.SetAllTicked(ticked);
    RefreshTicks(0, m_rowCount - 1);
}

void CatalogueListModel::SetTicked(const std::vector<std::size_t>& rows, bool ticked)
{
    if (rows.empty())
        return;
    for (std::size_t row : rows) {
        if (row < m_store.RowCount())
            m_store.SetTicked(row, ticked);
    }
    const auto [first, last] = std::minmax_element(rows.begin(), rows.end());
    RefreshTicks(ClampedRowCount(*first), ClampedRowCount(*last));
    emit rowsTicked(rows);
}

void CatalogueListModel::NotifyTicks(int firstRow, int lastRow)
{
    emit dataChanged(index(firstRow, 0), index(lastRow, ColumnCount - 1),
                     {Qt::CheckStateRole, StateImageRole, Qt::ForegroundRole, Qt::BackgroundRole});
}

int CatalogueListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int CatalogueListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

bool CatalogueListModel::IsRow(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.row() < m_rowCount
        && index.column() < ColumnCount && static_cast<std::size_t>(index.row()) < m_store.RowCount();
}

QVariant CatalogueListModel::DisplayText(std::size_t row, int column) const
{
    switch (column) {
    case FileNameColumn:
        return FromUtf8(m_store.Path(row));
    case FileTypeColumn:
        return m_fileInfo.GetFileTypeName(FromUtf8(m_store.Path(row)));
    case FileSizeColumn:
    case OffsetColumn: {
        const CatalogueRow record = m_store.Row(row);
        if (!record.located)
            return QString();
        const quint64 value = column == FileSizeColumn ? record.size : record.offset;
        return QString::number(value);
    }
    default:
        return {};
    }
}

QVariant CatalogueListModel::data(const QModelIndex& index, int role) const
{
    // Rows beyond the store can only be asked for while a caller is between
    // emptying the store and resetting the model.
    if (!IsRow(index))
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return DisplayText(row, index.column());
    case Qt::DecorationRole:
        if (index.column() == FileNameColumn)
            return m_fileInfo.GetFileIcon(FromUtf8(m_store.Path(row)));
        return {};
    case Qt::CheckStateRole:
        if (index.column() == FileNameColumn)
            return m_store.IsTicked(row) ? Qt::Checked : Qt::Unchecked;
        return {};
    case StateImageRole:
        if (index.column() == FileNameColumn)
            return static_cast<int>(m_store.IsTicked(row) ? StateImage::Ticked : StateImage::EmptyBox);
        return {};
    case Qt::ForegroundRole:
        return m_store.IsTicked(row) ? QVariant(kTickedText) : QVariant();
    case Qt::BackgroundRole:
        return m_store.IsTicked(row) ? QVariant(kTickedBackground) : QVariant();
    default:
        return {};
    }
}

bool CatalogueListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != FileNameColumn || !IsRow(index))
        return false;
    const int wanted = value.toInt();
    if (wanted != Qt::Checked && wanted != Qt::Unchecked)
        return false; // a file is either saved or not
    m_store.SetTicked(static_cast<std::size_t>(index.row()), wanted == Qt::Checked);
    NotifyTicks(index.row(), index.row());
    return true;
}

Qt::ItemFlags CatalogueListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == FileNameColumn)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant CatalogueListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case FileNameColumn: return Texts::Tr("File Name");
    case FileTypeColumn: return Texts::Tr("File Type");
    case FileSizeColumn: return Texts::Tr("File Size");
    case OffsetColumn: return QString();
    default: return {};
    }
}
