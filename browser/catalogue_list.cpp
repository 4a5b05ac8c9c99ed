// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_list.h"

#include "catalogue_list_model.h"
#include "report_selection.h"
#include "report_view.h"
#include "save_menu.h"
#include "texts.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <utility>

CatalogueList::CatalogueList(CatalogueListModel& model, QWidget* parent)
    : QTableView(parent), m_model(model), m_menu(new SaveMenu(this, Texts::Tr("Save Files"), kSaveFilesCommand))
{
    setModel(&model);
    SetUpReportView(*this, {400, 200, 200, 0});
    connect(m_menu, &SaveMenu::chosen, this, &CatalogueList::saveRequested);
    m_menu->AddEntry(Texts::Tr("Tick selected rows"), [this] { SetTicks(SelectedRows(*this), true); });
    m_menu->AddEntry(Texts::Tr("Untick selected rows"), [this] { SetTicks(SelectedRows(*this), false); });
}

QMenu* CatalogueList::ContextMenu() const
{
    return m_menu->Menu();
}

bool CatalogueList::ToggleBoxAt(const QPoint& point)
{
    const int row = ReportRowAt(*this, point);
    if (!IsOnReportBox(*this, row, point))
        return false;
    ToggleTick(row);
    return true;
}

void CatalogueList::ToggleTick(int row)
{
    const QModelIndex box = m_model.index(row, CatalogueListModel::FileNameColumn);
    if (!box.isValid())
        return;
    const bool ticked = box.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    SetTicks(RowsActedOn(*this, row), !ticked);
}

// List rows are catalogue rows: the list shows the catalogue in its order.
void CatalogueList::SetTicks(const std::vector<int>& rows, bool ticked)
{
    m_model.SetTicked(std::vector<std::size_t>(rows.begin(), rows.end()), ticked);
}

void CatalogueList::OnClick(const QPoint& point)
{
    ToggleBoxAt(point);
}

void CatalogueList::OnDblClk(const QPoint& point)
{
    ToggleBoxAt(point);
}

void CatalogueList::OnRClick(const QPoint& point)
{
    if (ReportRowAt(*this, point) < 0 || ToggleBoxAt(point))
        return;
    m_menu->Popup(viewport(), point);
}

void CatalogueList::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        OnRClick(point);
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
    m_boxPressed = event->button() == Qt::LeftButton && ToggleBoxAt(point);
}

// After a press on a box the release leaves the selection as it is, so that
// a tick of a selection does not end with one row selected.
void CatalogueList::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && std::exchange(m_boxPressed, false)) {
        setState(NoState);
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

void CatalogueList::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        m_boxPressed = IsOnReportBox(*this, ReportRowAt(*this, point), point);
        OnDblClk(point);
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

bool CatalogueList::event(QEvent* event)
{
    return ClaimSelectAll(event) || QTableView::event(event);
}

// Space toggles the tick of the current row (and of the selection with it),
// as the list's own boxes do.
void CatalogueList::keyPressEvent(QKeyEvent* event)
{
    if (m_menu->PopupForKey(*this, *event)) {
        event->accept();
        return;
    }
    if (event->key() != Qt::Key_Space || event->modifiers() != Qt::NoModifier) {
        QTableView::keyPressEvent(event);
        return;
    }
    if (currentIndex().isValid())
        ToggleTick(currentIndex().row());
    event->accept();
}
