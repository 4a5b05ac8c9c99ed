// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_list.h"

#include "catalogue_list_model.h"
#include "header_sort.h"
#include "report_view.h"
#include "save_menu.h"
#include "texts.h"

#include <QKeyEvent>
#include <QMouseEvent>

CatalogueList::CatalogueList(CatalogueListModel& model, QWidget* parent)
    : QTableView(parent), m_model(model), m_menu(new SaveMenu(this, Texts::Tr("Save Files"), kSaveFilesCommand))
{
    setModel(&model);
    SetUpReportView(*this, {400, 160, 90, 0, 150, 100});
    setTextElideMode(Qt::ElideMiddle); // the file name at the end of a long path stays visible
    EnableHeaderSort(*this);
    connect(m_menu, &SaveMenu::chosen, this, &CatalogueList::saveRequested);
    m_menu->AddEntry(Texts::Tr("Tick shown rows"), [this] { m_model.SetShownTicked(true); });
    m_menu->AddEntry(Texts::Tr("Untick shown rows"), [this] { m_model.SetShownTicked(false); });
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
    const bool ticked = box.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    m_model.setData(box, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
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
    if (event->button() == Qt::LeftButton)
        OnClick(point);
}

void CatalogueList::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        OnDblClk(event->position().toPoint());
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

// Space toggles the tick of the current row, as the list's own boxes do.
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
