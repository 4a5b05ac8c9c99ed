// SPDX-License-Identifier: GPL-3.0-or-later
#include "folder_contents_list_model.h"

#include "browser_images.h"
#include "catalogue_store.h"
#include "folder_tree_model.h"
#include "row_cells.h"
#include "row_status_look.h"
#include "shell_file_info.h"
#include "surface_ink.h"
#include "texts.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <tuple>

namespace {

// The parent row stands out on pale green.
const QColor kParentRowBackground(220, 242, 226);

} // namespace

FolderContentsListModel::FolderContentsListModel(FolderTreeModel& tree, const CatalogueStore& store,
                                                 ShellFileInfo& fileInfo, QObject* parent)
    : QAbstractTableModel(parent), m_tree(tree), m_store(store), m_fileInfo(fileInfo)
{
}

void FolderContentsListModel::ShowFolder(const FolderNode* node)
{
    beginResetModel();
    m_rows.clear();
    m_folder = node;
    if (node != nullptr) {
        const std::vector<std::size_t> files = m_tree.RowsIn(node);
        m_rows.reserve((node->Parent() != nullptr ? 1 : 0) + node->ChildCount() + files.size());
        if (node->Parent() != nullptr)
            m_rows.push_back(Row{QStringLiteral(".."), 0, RowKind::Parent, false, CheckState::Unchecked});
        for (std::size_t child = 0; child < node->ChildCount(); ++child) {
            const FolderNode* folder = node->Child(child);
            m_rows.push_back(Row{QString::fromStdString(folder->Text()), 0, RowKind::Folder, false, folder->State()});
        }
        for (std::size_t row : files)
            AddFileRow(row);
        for (std::size_t place = 0; place < m_rows.size(); ++place)
            m_rows[place].place = place;
        SortRows();
    }
    endResetModel();
}

void FolderContentsListModel::sort(int column, Qt::SortOrder order)
{
    beginResetModel();
    m_sortColumn = column >= 0 && column < ColumnCount ? column : -1;
    m_sortOrder = order;
    SortRows();
    endResetModel();
}

// The parent row first, then the folders, then the files; ties in ShowFolder's order.
void FolderContentsListModel::SortRows()
{
    std::sort(m_rows.begin(), m_rows.end(), [this](const Row& a, const Row& b) {
        if (a.kind != b.kind)
            return a.kind < b.kind;
        if (m_sortColumn >= 0) {
            const bool descending = m_sortOrder == Qt::DescendingOrder;
            if (Before(a, b))
                return !descending;
            if (Before(b, a))
                return descending;
        }
        return a.place < b.place;
    });
}

bool FolderContentsListModel::Before(const Row& a, const Row& b) const
{
    switch (m_sortColumn) {
    case NameColumn: return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    case TypeColumn:
        return DisplayText(a, TypeColumn).toString().compare(DisplayText(b, TypeColumn).toString(),
                                                             Qt::CaseInsensitive) < 0;
    case SizeColumn: return std::make_tuple(a.hasSize, a.size) < std::make_tuple(b.hasSize, b.size);
    case ModifiedColumn: return a.modified < b.modified;
    case StatusColumn: return StatusSortRank(a.status) < StatusSortRank(b.status);
    default: return false;
    }
}

void FolderContentsListModel::AddFileRow(std::size_t catalogueRow)
{
    const CatalogueRow record = m_store.Row(catalogueRow);
    const std::string_view name = record.path.substr(record.path.rfind('\\') + 1);
    m_rows.push_back(Row{QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), record.size,
                         RowKind::File, record.located,
                         m_store.IsTicked(catalogueRow) ? CheckState::Checked : CheckState::Unchecked,
                         record.modified, record.status});
    m_rows.back().catalogueRow = catalogueRow;
}

CheckState FolderContentsListModel::CurrentState(const Row& row) const
{
    if (row.kind == RowKind::File)
        return m_store.IsTicked(row.catalogueRow) ? CheckState::Checked : CheckState::Unchecked;
    const FolderNode* node = row.kind == RowKind::Folder ? m_folder->FindChild(row.name.toStdString()) : nullptr;
    return node != nullptr ? node->State() : row.state;
}

void FolderContentsListModel::RefreshStates()
{
    int first = RowCount();
    int last = -1;
    for (int index = 0; index < RowCount(); ++index) {
        Row& row = m_rows[static_cast<std::size_t>(index)];
        const CheckState state = CurrentState(row);
        const RowStatus status = row.catalogueRow == kNoRow ? row.status : m_store.Status(row.catalogueRow);
        if (state == row.state && status == row.status)
            continue;
        row.state = state;
        row.status = status;
        first = std::min(first, index);
        last = index;
    }
    if (first <= last)
        NotifyRows(first, last);
}

QString FolderContentsListModel::Name(int row) const
{
    return m_rows[static_cast<std::size_t>(row)].name;
}

CheckState FolderContentsListModel::GetCheckState(int row) const
{
    return Kind(row) == RowKind::Parent ? CheckState::Unchecked : m_rows[static_cast<std::size_t>(row)].state;
}

void FolderContentsListModel::SetCheckState(int row, CheckState state)
{
    if (!IsRow(row) || Kind(row) == RowKind::Parent)
        return;
    m_rows[static_cast<std::size_t>(row)].state = state;
    NotifyRows(row, row);
}

void FolderContentsListModel::SetAllRows(CheckState state)
{
    int first = 0;
    for (Row& row : m_rows) {
        if (row.kind == RowKind::Parent)
            ++first;
        else
            row.state = state;
    }
    if (first < RowCount())
        NotifyRows(first, RowCount() - 1);
}

void FolderContentsListModel::NotifyRows(int first, int last)
{
    emit dataChanged(index(first, NameColumn), index(last, NameColumn), {Qt::CheckStateRole, StateImageRole});
}

int FolderContentsListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int FolderContentsListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FolderContentsListModel::DisplayText(const Row& row, int column) const
{
    switch (column) {
    case NameColumn:
        return row.name;
    case TypeColumn:
        if (row.kind == RowKind::Folder)
            return Texts::Tr("Folder");
        return row.kind == RowKind::File ? m_fileInfo.GetFileTypeName(row.name) : QString();
    case SizeColumn:
        return SizeText(row.hasSize, row.size);
    case ModifiedColumn:
        return DateText(row.modified);
    case StatusColumn:
        return row.kind == RowKind::File ? StatusLabel(m_store, row.catalogueRow) : QString();
    default:
        return {};
    }
}

QVariant FolderContentsListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !IsRow(index.row()) || index.column() >= ColumnCount)
        return {};
    const Row& row = m_rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole)
        return DisplayText(row, index.column());
    return LookOf(row, index.column(), role);
}

// Everything but the text: icons, the box, the alignment, the colours.
QVariant FolderContentsListModel::LookOf(const Row& row, int column, int role) const
{
    const bool first = column == NameColumn;
    const bool file = row.kind == RowKind::File;
    switch (role) {
    case Qt::DecorationRole:
        if (column == StatusColumn && file)
            return StatusIcon(row.status);
        if (!first)
            return {};
        return file ? m_fileInfo.GetFileIcon(row.name) : BrowserImages::FolderIcon();
    case Qt::CheckStateRole:
        return first && row.kind != RowKind::Parent && Tickable(row) ? QVariant(QtCheckState(row.state)) : QVariant();
    case StateImageRole:
        if (!first)
            return {};
        if (!Tickable(row))
            return static_cast<int>(StateImage::None);
        return static_cast<int>(row.kind == RowKind::Parent ? StateImage::ParentMarker : TreeStateImage(row.state));
    case Qt::BackgroundRole:
        return row.kind == RowKind::Parent ? QVariant(kParentRowBackground) : QVariant();
    case Qt::TextAlignmentRole:
        return column == SizeColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::ToolTipRole:
        return column == SizeColumn ? QVariant(ExactSizeText(row.hasSize, row.size)) : QVariant();
    case Qt::FontRole:
        return file ? StatusFont(row.status) : QVariant();
    case Qt::ForegroundRole:
        if (row.kind == RowKind::Parent)
            return LightSurfaceInk(); // on the pale green band in every theme
        return column == StatusColumn && file && !IsOkStatus(row.status)
            ? QVariant(NotOkInk(QGuiApplication::palette().color(QPalette::Base)))
            : QVariant();
    default:
        return {};
    }
}

Qt::ItemFlags FolderContentsListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QVariant FolderContentsListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case NameColumn: return Texts::Tr("Name");
    case TypeColumn: return Texts::Tr("Type");
    case SizeColumn: return Texts::Tr("File Size");
    case ModifiedColumn: return Texts::Tr("Modified");
    case StatusColumn: return Texts::Tr("Status");
    default: return {};
    }
}
