// SPDX-License-Identifier: GPL-3.0-or-later
#include "folder_contents_list.h"

#include "catalogue_list_model.h"
#include "catalogue_store.h"
#include "column_fit.h"
#include "folder_contents_list_model.h"
#include "folder_tree_model.h"
#include "partial_tick_accessible.h"
#include "header_sort.h"
#include "report_selection.h"
#include "report_view.h"
#include "save_menu.h"
#include "scan_refusal.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <unordered_map>

using RowKind = FolderContentsListModel::RowKind;

FolderContentsList::FolderContentsList(FolderTreeModel& tree, CatalogueListModel& catalogue, QWidget* parent)
    : TickBoxTableView(parent)
    , m_treeModel(tree)
    , m_catalogue(catalogue)
    , m_rows(new FolderContentsListModel(tree, catalogue.Store(), catalogue.FileInfo(), this))
    , m_menu(new SaveMenu(this, Texts::Tr("Save File"), kSaveFileCommand))
{
    setModel(m_rows);
    ExposePartialTicks(*this);
    SetUpReportView(*this, {400, 160, 90, 150, 100});
    KeepColumnsFitted(*this, FolderContentsListModel::NameColumn, FolderContentsListModel::TypeColumn);
    EnableHeaderSort(*this);
    connect(m_menu, &SaveMenu::chosen, this, &FolderContentsList::saveRequested);
    m_menu->AddCommand(Texts::Tr("Tick selected rows"), {}, [this] { SetSelectionState(CheckState::Checked); });
    m_menu->AddCommand(Texts::Tr("Untick selected rows"), {}, [this] { SetSelectionState(CheckState::Unchecked); });
    // A folder of an emptied tree can no longer be shown.
    connect(&tree, &QAbstractItemModel::modelAboutToBeReset, this, [this] { ShowFolder(nullptr); });
    AddFileCommands();
}

void FolderContentsList::AddFileCommands()
{
    const auto isFile = [this] { return CatalogueRowOf(m_menuRow) != FolderContentsListModel::kNoRow; };
    m_menu->AddCommand(Texts::Tr("Preview"), isFile,
                       [this] { RequestFor(m_menuRow, &FolderContentsList::previewRequested); });
    m_menu->AddCommand(Texts::Tr("Open"), isFile, [this] { RequestFor(m_menuRow, &FolderContentsList::openRequested); });
}

std::size_t FolderContentsList::CatalogueRowOf(int row) const
{
    return m_rows->IsRow(row) ? m_rows->CatalogueRowOf(row) : FolderContentsListModel::kNoRow;
}

void FolderContentsList::RequestFor(int row, void (TickBoxTableView::*signal)(std::size_t))
{
    const std::size_t found = CatalogueRowOf(row);
    if (found != FolderContentsListModel::kNoRow)
        emit(this->*signal)(found);
}

QMenu* FolderContentsList::ContextMenu() const
{
    return m_menu->Menu();
}

int FolderContentsList::SelectionMark() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

FolderNode* FolderContentsList::ChildFolder(int row) const
{
    return m_folder != nullptr ? m_folder->FindChild(m_rows->Name(row).toStdString()) : nullptr;
}

void FolderContentsList::ShowFolder(FolderNode* node)
{
    m_folder = node;
    m_rows->ShowFolder(node);
}

void FolderContentsList::SetAllRows(CheckState state)
{
    m_rows->SetAllRows(state);
}

CheckState FolderContentsList::GetCheckState(int row) const
{
    return m_rows->GetCheckState(row);
}

void FolderContentsList::SetCheckState(int row, CheckState state)
{
    m_rows->SetCheckState(row, state);
}

void FolderContentsList::ToggleRow(int row)
{
    if (!m_rows->IsRow(row) || m_rows->Kind(row) == RowKind::Parent)
        return;
    if (m_scanRunning) {
        ShowScanRefusal(m_messages);
        SetCheckState(row, CheckState::Unchecked);
        return;
    }
    const CheckState state = GetCheckState(row) == CheckState::Checked ? CheckState::Unchecked : CheckState::Checked;
    SetRowsState(RowsActedOn(*this, row), state);
}

void FolderContentsList::SetSelectionState(CheckState state)
{
    if (m_scanRunning)
        ShowScanRefusal(m_messages);
    else
        SetRowsState(SelectedRows(*this), state);
}

// Each folder row ticks the rows under its node and sets the node's subtree;
// the selected node and its ancestors are rolled up once at the end.
void FolderContentsList::SetRowsState(const std::vector<int>& rows, CheckState state)
{
    const bool ticked = state == CheckState::Checked;
    std::vector<int> files;
    for (int row : rows) {
        if (!m_rows->IsRow(row) || m_rows->Kind(row) == RowKind::Parent)
            continue;
        if (m_rows->Kind(row) == RowKind::File)
            files.push_back(row);
        else if (FolderNode* child = ChildFolder(row)) {
            m_treeModel.SetFilesUnder(child, ticked);
            m_treeModel.SetSubtreeState(child, state);
        }
        SetCheckState(row, state);
    }
    SetFileTicks(files, ticked);
    RollUpSelected();
}

void FolderContentsList::SetFileTick(int row, bool ticked)
{
    if (m_rows->IsRow(row) && m_rows->Kind(row) == RowKind::File)
        SetFileTicks({row}, ticked);
}

// The file rows shown are the rows lying directly in the selected folder, so
// the first catalogue row with a row's path is the lowest catalogue row shown
// under its name.
void FolderContentsList::SetFileTicks(const std::vector<int>& rows, bool ticked)
{
    if (rows.empty())
        return;
    std::unordered_map<QString, std::size_t> firstOfName; // the names of `rows` only
    for (int row : rows)
        firstOfName.emplace(m_rows->Name(row), m_rows->CatalogueRowOf(row));
    for (int row = 0; row < m_rows->RowCount(); ++row) {
        if (m_rows->Kind(row) != RowKind::File)
            continue;
        const auto at = firstOfName.find(m_rows->Name(row));
        if (at != firstOfName.end())
            at->second = std::min(at->second, m_rows->CatalogueRowOf(row));
    }
    RowRange changed;
    for (int row : rows) {
        const std::size_t target = firstOfName.at(m_rows->Name(row));
        m_catalogue.Store().SetTicked(target, ticked);
        changed.Add(target);
    }
    m_catalogue.RefreshTicks(static_cast<int>(changed.first), static_cast<int>(changed.last));
}

// By the tree's own rule (the rows under the folder), as every other way of
// ticking rolls up: the rows shown here would count an empty subfolder, which
// the tree does not.
void FolderContentsList::RollUpSelected()
{
    m_treeModel.RollUpFolder(m_folder);
}

void FolderContentsList::OpenFolderRow(int row)
{
    if (!m_rows->IsRow(row))
        return;
    const RowKind kind = m_rows->Kind(row);
    if (row == 0 && kind != RowKind::Folder) {
        if (m_folder != nullptr && kind == RowKind::Parent)
            OpenFolder(m_folder->Parent());
    } else if (kind == RowKind::Folder) {
        OpenFolder(ChildFolder(row));
    }
}

void FolderContentsList::OpenFolder(FolderNode* node)
{
    if (node == nullptr)
        return;
    emit folderOpened(node); // the tree's selection change shows it here as well
    if (m_folder != node)
        ShowFolder(node);
}

void FolderContentsList::OnClick(const QPoint& point)
{
    const int row = ReportRowAt(*this, point);
    if (IsOnReportBox(*this, row, point))
        ToggleRow(row);
}

void FolderContentsList::OnDblClk(const QPoint& point)
{
    const int row = ReportRowAt(*this, point);
    if (row < 0)
        return;
    if (IsOnReportBox(*this, row, point))
        ToggleRow(row);
    else if (m_rows->Kind(row) == RowKind::File)
        RequestFor(row, &FolderContentsList::previewRequested);
    else
        OpenFolderRow(row);
}

void FolderContentsList::OnRClick(const QPoint& point)
{
    const int row = ReportRowAt(*this, point);
    if (row < 0)
        return;
    if (m_scanRunning) {
        if (m_rows->Kind(row) != RowKind::Parent) {
            ShowScanRefusal(m_messages);
            SetCheckState(row, CheckState::Unchecked);
            setFocus(Qt::MouseFocusReason);
        }
        return;
    }
    if (IsOnReportBox(*this, row, point)) {
        ToggleRow(row);
    } else {
        m_menuRow = row;
        m_menu->Popup(viewport(), point);
    }
}

bool FolderContentsList::OnListKeyDown(int key)
{
    const int mark = SelectionMark();
    switch (key) {
    case Qt::Key_Tab:
        // On along the window's focus chain (the tree's Tab comes here), so
        // Tab reaches every control.
        QWidget::focusNextPrevChild(true);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mark >= 0 && m_rows->Kind(mark) == RowKind::File)
            RequestFor(mark, &FolderContentsList::previewRequested);
        if (mark < 0 || m_rows->Kind(mark) == RowKind::File)
            return true;
        OpenFolderRow(mark);
        if (m_rows->RowCount() > 0)
            setCurrentIndex(m_rows->index(0, 0));
        viewport()->update();
        return true;
    case Qt::Key_Space:
        if (mark >= 0)
            ToggleRow(mark);
        return true;
    default:
        return false;
    }
}

bool FolderContentsList::event(QEvent* event)
{
    if (IsPlainTabPress(event))
        return OnListKeyDown(Qt::Key_Tab);
    return ClaimSelectAll(event) || QTableView::event(event);
}

bool FolderContentsList::OnPress(const QPoint& point)
{
    const bool onBox = IsOnReportBox(*this, ReportRowAt(*this, point), point);
    OnClick(point);
    return onBox;
}

void FolderContentsList::keyPressEvent(QKeyEvent* event)
{
    m_menuRow = SelectionMark();
    if (m_menu->PopupForKey(*this, *event)) {
        event->accept();
        return;
    }
    const Qt::KeyboardModifiers plain = event->modifiers() & ~Qt::KeypadModifier;
    if (plain == Qt::NoModifier && OnListKeyDown(event->key())) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}
