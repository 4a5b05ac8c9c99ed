// SPDX-License-Identifier: GPL-3.0-or-later
#include "folder_tree.h"

#include "folder_tree_model.h"
#include "partial_tick_accessible.h"
#include "report_view.h"
#include "save_menu.h"
#include "scan_refusal.h"
#include "state_image_delegate.h"
#include "texts.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

FolderTree::FolderTree(FolderTreeModel& model, QWidget* parent)
    : QTreeView(parent), m_model(model), m_menu(new SaveMenu(this, Texts::Tr("Save Files"), SaveMenu::kSaveFilesCommand))
{
    setModel(&model);
    ExposePartialTicks(*this);
    setItemDelegate(new StateImageDelegate(this));
    setHeaderHidden(true);
    setRootIsDecorated(true); // expand buttons and lines also at the top level
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setExpandsOnDoubleClick(false);
    setFrameShape(QFrame::StyledPanel);
    KeepSelectionVisible(*this);
    // Long names widen the column and the tree scrolls sideways instead of cutting them.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { OnTreeSelChanged(); });
    connect(&model, &FolderTreeModel::expandRequested, this, &FolderTree::ExpandNodes);
    connect(&model, &FolderTreeModel::collapseAllRequested, this, &QTreeView::collapseAll);
    connect(m_menu, &SaveMenu::chosen, this, &FolderTree::saveRequested);
    AddMenuCommands();
    UseFieldTextForArrows();
}

// The folder the menu was opened on: ticked or unticked as its box does it;
// the whole tree expanded or collapsed.
void FolderTree::AddMenuCommands()
{
    const auto boxesFree = [this] { return !m_scanRunning && m_menuNode != nullptr; };
    m_menu->AddCommand(Texts::Tr("Tick folder"), boxesFree, [this] { SetNodeTicked(m_menuNode, CheckState::Checked); });
    m_menu->AddCommand(Texts::Tr("Untick folder"), boxesFree,
                       [this] { SetNodeTicked(m_menuNode, CheckState::Unchecked); });
    m_menu->AddCommand(Texts::Tr("Expand all"), {}, [this] { expandAll(); });
    m_menu->AddCommand(Texts::Tr("Collapse all"), {}, [this] { collapseAll(); });
}

// The style draws the expand arrows in the window text colour, which the
// painted surface around the tree sets to its dark ink: on the tree's own
// field, dark in a dark theme, they take the desktop's text colour instead.
void FolderTree::UseFieldTextForArrows()
{
    const QPalette desktop = QApplication::palette();
    QPalette own = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        own.setColor(group, QPalette::WindowText, desktop.color(group, QPalette::Text));
    setPalette(own);
}

FolderNode* FolderTree::SelectedNode() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? nullptr : m_model.NodeAt(selected.first());
}

void FolderTree::SelectNode(const FolderNode* node)
{
    const QModelIndex index = m_model.IndexOf(node);
    if (!index.isValid())
        return;
    setCurrentIndex(index);
    scrollTo(index);
}

bool FolderTree::IsOnBox(const QPoint& point) const
{
    const QModelIndex index = indexAt(point);
    return index.isValid() && StateImageDelegate::BoxRect(visualRect(index)).contains(point);
}

QMenu* FolderTree::ContextMenu() const
{
    return m_menu->Menu();
}

void FolderTree::ToggleNode(FolderNode* node)
{
    if (node == nullptr)
        return;
    SetNodeTicked(node,
                  m_model.GetCheckState(node) == CheckState::Checked ? CheckState::Unchecked : CheckState::Checked);
}

void FolderTree::SetNodeTicked(FolderNode* node, CheckState state)
{
    if (node == nullptr)
        return;
    m_model.SetSubtreeState(node, state);
    emit folderTicked(node, state);
    m_model.SetFilesUnder(node, state == CheckState::Checked);
    m_model.UpdateAncestors(node);
}

void FolderTree::OnLButtonDown(const QPoint& point)
{
    const QModelIndex index = indexAt(point);
    if (!index.isValid())
        return;
    const bool onBox = IsOnBox(point);
    if (onBox && m_scanRunning) {
        ShowScanRefusal(m_messages);
        ToggleExpansion(index);
        return;
    }
    SelectNode(m_model.NodeAt(index));
    setFocus(Qt::MouseFocusReason);
    if (onBox)
        ToggleNode(m_model.NodeAt(index));
    else
        ToggleExpansion(index);
}

void FolderTree::OnRButtonDown(const QPoint& point)
{
    if (!indexAt(point).isValid())
        return;
    m_menuNode = m_model.NodeAt(indexAt(point));
    m_menu->Popup(viewport(), point);
    setFocus(Qt::MouseFocusReason);
}

bool FolderTree::OnTreeKeyDown(int key)
{
    if (key == Qt::Key_Tab) {
        emit tabPressed();
        return true;
    }
    if (key != Qt::Key_Space)
        return false;
    FolderNode* selected = SelectedNode();
    if (selected == nullptr)
        return true;
    if (m_scanRunning) {
        ShowScanRefusal(m_messages);
        m_model.SetCheckState(selected, CheckState::Unchecked);
        return true;
    }
    ToggleNode(selected);
    return true;
}

void FolderTree::OnTreeSelChanged()
{
    emit folderSelected(SelectedNode());
}

void FolderTree::ToggleExpansion(const QModelIndex& index)
{
    setExpanded(index, !isExpanded(index));
}

// Only nodes that are not open yet are touched: a scan asks again for every
// folder it reports, and an expand of an open node would still cost a lookup.
void FolderTree::ExpandNodes(const QModelIndexList& nodes)
{
    for (const QModelIndex& index : nodes) {
        if (index.isValid() && !isExpanded(index))
            expand(index);
    }
}

// Tab would otherwise move the focus along the window's chain before the key
// reaches keyPressEvent.
bool FolderTree::event(QEvent* event)
{
    if (IsPlainTabPress(event))
        return OnTreeKeyDown(Qt::Key_Tab);
    if (event->type() == QEvent::ApplicationPaletteChange)
        UseFieldTextForArrows(); // the desktop's theme changed
    return QTreeView::event(event);
}

void FolderTree::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        OnLButtonDown(point);
        event->accept();
    } else if (event->button() == Qt::RightButton) {
        OnRButtonDown(point);
        event->accept();
    } else {
        QTreeView::mousePressEvent(event);
    }
}

// The press decided everything; the release must not select or expand again.
void FolderTree::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        setState(NoState);
        event->accept();
        return;
    }
    QTreeView::mouseReleaseEvent(event);
}

// The first press of a double click was a whole press already; the second
// does nothing, so it can never change a box without its propagation.
void FolderTree::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}

void FolderTree::keyPressEvent(QKeyEvent* event)
{
    m_menuNode = m_model.NodeAt(currentIndex());
    if (m_menu->PopupForKey(*this, *event)) {
        event->accept();
        return;
    }
    if (event->modifiers() == Qt::NoModifier && OnTreeKeyDown(event->key())) {
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void FolderTree::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const
{
    DrawBranchLines(*painter, rect, index);
    QTreeView::drawBranches(painter, rect, index);
}

// One column of `indentation()` pixels per level, the node's own at the right:
// there a line from above to the node's middle (on down when a sibling
// follows) and across to the node; further left a line through every
// ancestor's column whose ancestor has a sibling below it.
void FolderTree::DrawBranchLines(QPainter& painter, const QRect& rect, const QModelIndex& index) const
{
    auto hasNextSibling = [this](const QModelIndex& node) {
        return node.row() + 1 < model()->rowCount(node.parent());
    };
    const int indent = indentation();
    const int middleY = rect.top() + rect.height() / 2;
    painter.save();
    // Between the field and its text, so the lines show in light and dark themes alike.
    const QColor text = palette().color(QPalette::Text);
    const QColor field = palette().color(QPalette::Base);
    const QColor line((text.red() * 2 + field.red() * 3) / 5, (text.green() * 2 + field.green() * 3) / 5,
                      (text.blue() * 2 + field.blue() * 3) / 5);
    painter.setPen(QPen(line, 1, Qt::DotLine));
    int left = rect.right() + 1 - indent;
    const int ownX = left + indent / 2;
    painter.drawLine(ownX, rect.top(), ownX, hasNextSibling(index) ? rect.bottom() : middleY);
    painter.drawLine(ownX, middleY, rect.right(), middleY);
    for (QModelIndex ancestor = index.parent(); ancestor.isValid() && left > rect.left();
         ancestor = ancestor.parent()) {
        left -= indent;
        if (hasNextSibling(ancestor))
            painter.drawLine(left + indent / 2, rect.top(), left + indent / 2, rect.bottom());
    }
    painter.restore();
}
