// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_list.h"

#include "catalogue_list_model.h"
#include "column_fit.h"
#include "header_sort.h"
#include "report_selection.h"
#include "report_view.h"
#include "save_menu.h"
#include "texts.h"

#include <QKeyEvent>
#include <QMouseEvent>


CatalogueList::CatalogueList(CatalogueListModel& model, QWidget* parent)
    : TickBoxTableView(parent), m_model(model), m_menu(new SaveMenu(this, Texts::Tr("Save Files"), SaveMenu::kSaveFilesCommand))
{
    setModel(&model);
    SetUpReportView(*this, {400, 160, 90, 0, 150, 100});
    KeepColumnsFitted(*this, CatalogueListModel::FileNameColumn, CatalogueListModel::FileTypeColumn);
    setTextElideMode(Qt::ElideMiddle); // the file name at the end of a long path stays visible
    EnableHeaderSort(*this);
    connect(m_menu, &SaveMenu::chosen, this, &CatalogueList::saveRequested);
    m_menu->AddCommand(Texts::Tr("Tick selected rows"), {}, [this] { SetTicks(SelectedRows(*this), true); });
    m_menu->AddCommand(Texts::Tr("Untick selected rows"), {}, [this] { SetTicks(SelectedRows(*this), false); });
    m_menu->AddCommand(Texts::Tr("Tick shown rows"), {}, [this] { m_model.SetShownTicked(true); });
    m_menu->AddCommand(Texts::Tr("Untick shown rows"), {}, [this] { m_model.SetShownTicked(false); });
    AddFileCommands();
}

void CatalogueList::AddFileCommands()
{
    const auto any = [this] { return m_menuRow >= 0; };
    m_menu->AddCommand(Texts::Tr("Preview"), any, [this] { RequestFor(m_menuRow, &CatalogueList::previewRequested); });
    m_menu->AddCommand(Texts::Tr("Open"), any, [this] { RequestFor(m_menuRow, &CatalogueList::openRequested); });
}

std::size_t CatalogueList::CatalogueRowOf(int row) const
{
    return m_model.CatalogueRowAt(row);
}

void CatalogueList::RequestFor(int row, void (TickBoxTableView::*signal)(std::size_t))
{
    if (row >= 0 && row < m_model.rowCount())
        emit(this->*signal)(CatalogueRowOf(row));
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

void CatalogueList::SetTicks(const std::vector<int>& rows, bool ticked)
{
    std::vector<std::size_t> catalogueRows;
    catalogueRows.reserve(rows.size());
    for (int row : rows)
        catalogueRows.push_back(CatalogueRowOf(row));
    m_model.SetTicked(catalogueRows, ticked);
}

void CatalogueList::OnClick(const QPoint& point)
{
    ToggleBoxAt(point);
}

void CatalogueList::OnDblClk(const QPoint& point)
{
    if (!ToggleBoxAt(point))
        RequestFor(ReportRowAt(*this, point), &CatalogueList::previewRequested);
}

void CatalogueList::OnRClick(const QPoint& point)
{
    if (ReportRowAt(*this, point) < 0 || ToggleBoxAt(point))
        return;
    m_menuRow = ReportRowAt(*this, point);
    m_menu->Popup(viewport(), point);
}

bool CatalogueList::event(QEvent* event)
{
    return ClaimSelectAll(event) || QTableView::event(event);
}

// Space toggles the tick of the current row (and of the selection with it),
// as the list's own boxes do.
void CatalogueList::keyPressEvent(QKeyEvent* event)
{
    m_menuRow = currentIndex().isValid() ? currentIndex().row() : -1;
    if (m_menu->PopupForKey(*this, *event)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        RequestFor(m_menuRow, &CatalogueList::previewRequested);
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
