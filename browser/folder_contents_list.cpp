// SPDX-License-Identifier: GPL-3.0-or-later
#include "folder_contents_list.h"

#include "catalogue_list_model.h"
#include "folder_contents_list_model.h"
#include "folder_tree.h"
#include "folder_tree_model.h"
#include "header_sort.h"
#include "report_view.h"
#include "save_menu.h"
#include "scan_refusal.h"

#include <QKeyEvent>
#include <QMouseEvent>

using RowKind = FolderContentsListModel::RowKind;

FolderContentsList::FolderContentsList(FolderTreeModel& tree, CatalogueListModel& catalogue, QWidget* parent)
    : QTableView(parent)
    , m_treeModel(tree)
    , m_catalogue(catalogue)
    , m_rows(new FolderContentsListModel(tree, catalogue.Store(), catalogue.FileInfo(), this))
    , m_menu(new SaveMenu(this, Texts::Tr("Save File"), kSaveFileCommand))
{
    setModel(m_rows);
    SetUpReportView(*this, {400, 160, 90, 150, 100});
    EnableHeaderSort(*this);
    connect(m_menu, &SaveMenu::chosen, this, &FolderContentsList::saveRequested);
    // A folder of an emptied tree can no longer be shown.
    connect(&tree, &QAbstractItemModel::modelAboutToBeReset, this, [this] { ShowFolder(nullptr); });
}

QMenu* FolderContentsList::ContextMenu() const
{
    return m_menu->Menu();
}

int FolderContentsList::SelectionMark() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

FolderNode* FolderContentsList::SelectedNode() const
{
    return m_tree != nullptr ? m_tree->SelectedNode() : nullptr;
}

void FolderContentsList::ShowFolder(const FolderNode* node)
{
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
    const bool ticked = state == CheckState::Checked;
    if (m_rows->Kind(row) == RowKind::Folder) {
        if (FolderNode* child = m_tree != nullptr ? m_tree->FindChildFolder(m_rows->Name(row).toStdString()) : nullptr) {
            m_treeModel.SetFilesUnder(child, ticked);
            m_treeModel.SetSubtreeState(child, state);
            m_treeModel.UpdateAncestors(child);
        }
    } else {
        SetFileTick(row, ticked);
    }
    SetCheckState(row, state);
    RollUpSelected();
}

// The first catalogue row whose path is the selected folder's key followed by
// the name; a second file of the same path never gets the tick.
void FolderContentsList::SetFileTick(int row, bool ticked)
{
    if (!m_rows->IsRow(row))
        return;
    const std::string target = m_treeModel.GetFolderKey(SelectedNode()) + m_rows->Name(row).toStdString();
    const std::size_t found = m_treeModel.FirstRowWithPath(target);
    if (found != FolderRowLinks::kNoRow)
        m_catalogue.SetCatalogueRowTicked(found, ticked);
}

void FolderContentsList::RollUpSelected()
{
    FolderNode* selected = SelectedNode();
    if (selected == nullptr)
        return;
    bool allChecked = true;
    bool anyMarked = false;
    for (int row = 0; row < m_rows->RowCount(); ++row) {
        if (m_rows->Kind(row) == RowKind::Parent)
            continue;
        const CheckState state = GetCheckState(row);
        allChecked = allChecked && state == CheckState::Checked;
        anyMarked = anyMarked || state != CheckState::Unchecked;
    }
    if (allChecked)
        m_treeModel.SetSubtreeState(selected, CheckState::Checked);
    else if (!anyMarked)
        m_treeModel.SetSubtreeState(selected, CheckState::Unchecked);
    else
        m_treeModel.SetCheckState(selected, CheckState::Partial);
    m_treeModel.UpdateAncestors(selected);
}

void FolderContentsList::OpenFolderRow(int row)
{
    if (!m_rows->IsRow(row))
        return;
    const RowKind kind = m_rows->Kind(row);
    if (row == 0 && kind != RowKind::Folder) {
        FolderNode* selected = SelectedNode();
        if (selected != nullptr && kind == RowKind::Parent)
            OpenFolder(selected->Parent());
    } else if (kind == RowKind::Folder && m_tree != nullptr) {
        OpenFolder(m_tree->FindChildFolder(m_rows->Name(row).toStdString()));
    }
}

void FolderContentsList::OpenFolder(FolderNode* node)
{
    if (node == nullptr || m_tree == nullptr)
        return;
    const bool alreadySelected = m_tree->SelectedNode() == node;
    m_tree->SelectNode(node); // shows the folder through the tree's selection change
    if (alreadySelected)
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
    if (IsOnReportBox(*this, row, point))
        ToggleRow(row);
    else
        m_menu->Popup(viewport(), point);
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
    return QTableView::event(event);
}

void FolderContentsList::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        OnRClick(point);
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event); // the list's own selection handling
    if (event->button() == Qt::LeftButton)
        OnClick(point);
}

void FolderContentsList::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        OnDblClk(event->position().toPoint());
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void FolderContentsList::keyPressEvent(QKeyEvent* event)
{
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
