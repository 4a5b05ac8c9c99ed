// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_list_model.h"

#include "browser_images.h"
#include "catalogue_store.h"
#include "row_cells.h"
#include "row_order.h"
#include "row_status_look.h"
#include "surface_ink.h"
#include "texts.h"
#include "type_ranks.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <limits>
#include <numeric>

namespace {

// A ticked row is drawn red on pale rose, so what will be saved stands out.
const QColor kTickedText = WarningRed();
const QColor kTickedBackground(248, 233, 243);

int ClampedRowCount(std::size_t rows)
{
    return static_cast<int>(std::min<std::size_t>(rows, std::numeric_limits<int>::max()));
}

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

SortKey KeyOf(int column)
{
    switch (column) {
    case CatalogueListModel::FileTypeColumn: return SortKey::Rank;
    case CatalogueListModel::FileSizeColumn: return SortKey::Size;
    case CatalogueListModel::ModifiedColumn: return SortKey::Date;
    case CatalogueListModel::StatusColumn: return SortKey::Status;
    default: return SortKey::Path;
    }
}

} // namespace

CatalogueListModel::CatalogueListModel(CatalogueStore& store, QObject* parent)
    : QAbstractTableModel(parent), m_store(store)
{
    Rebuild(false);
}

void CatalogueListModel::AppendRows()
{
    const int count = ClampedRowCount(m_store.RowCount());
    if (count < m_storeRows) {
        Reset();
        return;
    }
    if (count == m_storeRows)
        return;
    std::vector<std::uint32_t> passing;
    for (int row = m_storeRows; row < count; ++row) {
        if (m_sortColumn >= 0)
            m_sorted.push_back(static_cast<std::uint32_t>(row));
        if (m_filter.Passes(m_store, static_cast<std::size_t>(row)))
            passing.push_back(static_cast<std::uint32_t>(row));
    }
    m_storeRows = count;
    if (!passing.empty()) {
        const int first = rowCount();
        beginInsertRows({}, first, first + static_cast<int>(passing.size()) - 1);
        m_shown.insert(m_shown.end(), passing.begin(), passing.end());
        endInsertRows();
    }
    emit countsChanged();
}

void CatalogueListModel::AppendRows(const std::function<void(CatalogueStore&)>& append)
{
    append(m_store);
    AppendRows();
}

void CatalogueListModel::Reset()
{
    beginResetModel();
    Rebuild(false);
    endResetModel();
    emit countsChanged();
}

void CatalogueListModel::Reset(const std::function<void(CatalogueStore&)>& change)
{
    beginResetModel();
    change(m_store);
    Rebuild(false);
    endResetModel();
    emit countsChanged();
}

std::vector<std::uint32_t> CatalogueListModel::FullOrder() const
{
    if (m_sortColumn >= 0)
        return m_sorted;
    std::vector<std::uint32_t> order(static_cast<std::size_t>(m_storeRows));
    std::iota(order.begin(), order.end(), 0u);
    return order;
}

// With `narrowing` the new filter lets through only rows the old one did:
// the rows shown are the only ones to look at.
void CatalogueListModel::Rebuild(bool narrowing)
{
    if (!narrowing) {
        m_storeRows = ClampedRowCount(m_store.RowCount());
        if (m_sortColumn >= 0)
            SortAll();
        m_shown = FullOrder();
    }
    if (!m_filter.PassesAll())
        KeepPassing(m_filter, m_store, m_shown);
}

void CatalogueListModel::SortAll()
{
    m_sorted.resize(static_cast<std::size_t>(m_storeRows));
    std::iota(m_sorted.begin(), m_sorted.end(), 0u);
    SortRequest request{KeyOf(m_sortColumn), m_sortOrder == Qt::DescendingOrder, {}};
    std::vector<std::uint32_t> ranks;
    if (request.key == SortKey::Rank) {
        ranks = TypeRanks(m_store, m_sorted.size(), m_fileInfo);
        request.rank = [&ranks](std::size_t row) { return ranks[row]; };
    }
    SortRows(m_store, m_sorted, request);
}

void CatalogueListModel::SetFilter(const RowFilterSettings& settings)
{
    if (settings == m_filter.Settings())
        return;
    const bool narrowing = m_filter.IsNarrowedBy(settings);
    beginResetModel();
    m_filter = RowFilter(settings);
    Rebuild(narrowing);
    endResetModel();
    emit countsChanged();
}

void CatalogueListModel::sort(int column, Qt::SortOrder order)
{
    beginResetModel();
    m_sortColumn = column >= 0 && column < ColumnCount ? column : -1;
    m_sortOrder = order;
    if (m_sortColumn < 0)
        m_sorted.clear();
    Rebuild(false);
    endResetModel();
}

void CatalogueListModel::RefreshTicks(int firstRow, int lastRow)
{
    if (!IsScanOrderUnfiltered()) {
        // The catalogue rows lie anywhere in the shown order: every shown row.
        firstRow = 0;
        lastRow = rowCount() - 1;
    }
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, rowCount() - 1);
    if (firstRow <= lastRow)
        NotifyTicks(firstRow, lastRow);
}

void CatalogueListModel::RefreshRows()
{
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

void CatalogueListModel::SetAllTicked(bool ticked)
{
    m_store.SetAllTicked(ticked);
    RefreshTicks(0, rowCount() - 1);
}

void CatalogueListModel::SetCatalogueRowTicked(std::size_t catalogueRow, bool ticked)
{
    SetTicked({catalogueRow}, ticked);
}

void CatalogueListModel::SetShownTicked(bool ticked)
{
    SetTicked(std::vector<std::size_t>(m_shown.begin(), m_shown.end()), ticked);
}

QModelIndex CatalogueListModel::IndexOfCatalogueRow(std::size_t catalogueRow, int column) const
{
    if (IsScanOrderUnfiltered())
        return catalogueRow < m_shown.size() ? index(static_cast<int>(catalogueRow), column) : QModelIndex();
    const auto found = std::find(m_shown.begin(), m_shown.end(), catalogueRow);
    return found != m_shown.end() ? index(static_cast<int>(found - m_shown.begin()), column) : QModelIndex();
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
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

int CatalogueListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

bool CatalogueListModel::IsRow(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.row() < rowCount() && index.column() < ColumnCount
        && CatalogueRowAt(index.row()) < m_store.RowCount();
}

QVariant CatalogueListModel::DisplayText(std::size_t row, int column) const
{
    switch (column) {
    case FileNameColumn:
        return FromUtf8(m_store.Path(row));
    case FileTypeColumn:
        return m_fileInfo.GetFileTypeName(FromUtf8(m_store.Path(row)));
    case FileSizeColumn: {
        const CatalogueRow record = m_store.Row(row);
        return SizeText(record.located, record.size);
    }
    case OffsetColumn: {
        const CatalogueRow record = m_store.Row(row);
        return record.located ? QString::number(record.offset) : QString();
    }
    case ModifiedColumn:
        return DateText(m_store.Row(row).modified);
    case StatusColumn:
        return StatusLabel(m_store, row);
    default:
        return {};
    }
}

// Everything but the text: icons, the box, the alignment, the colours.
QVariant CatalogueListModel::LookOf(std::size_t row, int column, int role) const
{
    const bool first = column == FileNameColumn;
    switch (role) {
    case Qt::DecorationRole:
        if (first)
            return m_fileInfo.GetFileIcon(FromUtf8(m_store.Path(row)));
        return column == StatusColumn ? QVariant(StatusIcon(m_store.Row(row).status)) : QVariant();
    case Qt::CheckStateRole:
        return first && Tickable(row) ? QVariant(m_store.IsTicked(row) ? Qt::Checked : Qt::Unchecked) : QVariant();
    case StateImageRole:
        if (!first)
            return {};
        if (!Tickable(row))
            return static_cast<int>(StateImage::None);
        return static_cast<int>(m_store.IsTicked(row) ? StateImage::Ticked : StateImage::EmptyBox);
    case Qt::TextAlignmentRole:
        return column == FileSizeColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::ToolTipRole:
        if (column == FileSizeColumn) {
            const CatalogueRow record = m_store.Row(row);
            return ExactSizeText(record.located, record.size);
        }
        return {};
    case Qt::FontRole:
        return StatusFont(m_store.Row(row).status);
    case Qt::ForegroundRole:
        if (column == StatusColumn && !IsOkStatus(m_store.Row(row).status))
            return NotOkInk(m_store.IsTicked(row) ? kTickedBackground
                                                  : QGuiApplication::palette().color(QPalette::Base));
        return m_store.IsTicked(row) ? QVariant(kTickedText) : QVariant();
    case Qt::BackgroundRole:
        return m_store.IsTicked(row) ? QVariant(kTickedBackground) : QVariant();
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
    const std::size_t row = CatalogueRowAt(index.row());
    if (role == Qt::DisplayRole)
        return DisplayText(row, index.column());
    return LookOf(row, index.column(), role);
}

bool CatalogueListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != FileNameColumn || !IsRow(index))
        return false;
    const int wanted = value.toInt();
    if (wanted != Qt::Checked && wanted != Qt::Unchecked)
        return false; // a file is either saved or not
    m_store.SetTicked(CatalogueRowAt(index.row()), wanted == Qt::Checked);
    NotifyTicks(index.row(), index.row());
    return true;
}

bool CatalogueListModel::Tickable(std::size_t catalogueRow) const
{
    return IsListedFile(m_store.Status(catalogueRow));
}

Qt::ItemFlags CatalogueListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == FileNameColumn && IsRow(index) && Tickable(CatalogueRowAt(index.row())))
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
    case ModifiedColumn: return Texts::Tr("Modified");
    case StatusColumn: return Texts::Tr("Status");
    default: return {};
    }
}
