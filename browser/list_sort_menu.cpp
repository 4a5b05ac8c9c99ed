// SPDX-License-Identifier: GPL-3.0-or-later
#include "list_sort_menu.h"

#include "header_sort.h"
#include "texts.h"

#include <QActionGroup>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>

#include <utility>

namespace {

// The key a caption's "&" marks, lower case, or none.
QChar MarkedKey(const QString& caption)
{
    for (qsizetype k = 0; k + 1 < caption.size(); ++k) {
        if (caption[k] != QLatin1Char('&'))
            continue;
        if (caption[k + 1] != QLatin1Char('&'))
            return caption[k + 1].toLower();
        ++k;
    }
    return {};
}

// A heading as a menu caption whose Alt key is its first letter not taken
// yet (none when every letter is); the key is added to `usedKeys`.
QString WithFreeKey(const QString& heading, QString& usedKeys)
{
    QString caption = heading;
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    for (qsizetype k = 0; k < caption.size(); ++k) {
        const QChar key = caption[k].toLower();
        if (!key.isLetterOrNumber() || usedKeys.contains(key))
            continue;
        usedKeys += key;
        return caption.insert(k, QLatin1Char('&'));
    }
    return caption;
}

// The entries after the columns: the order of the sorted column, or none.
struct OrderEntry {
    const char* text;
    bool ownOrder; // the list's own order, unsorted
    Qt::SortOrder order;
};
const OrderEntry kOrderEntries[] = {
    {QT_TRANSLATE_NOOP("Texts", "&Ascending"), false, Qt::AscendingOrder},
    {QT_TRANSLATE_NOOP("Texts", "&Descending"), false, Qt::DescendingOrder},
    {QT_TRANSLATE_NOOP("Texts", "&Unsorted"), true, Qt::AscendingOrder},
};

} // namespace

ListSortMenu::ListSortMenu(QMenu& menu, std::vector<QTableView*> lists)
    : QObject(&menu), m_menu(menu), m_lists(std::move(lists)), m_target(m_lists.front())
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FollowFocus(now); });
    connect(&m_menu, &QMenu::aboutToShow, this, &ListSortMenu::Fill);
    Fill();
}

void ListSortMenu::FollowFocus(QWidget* now)
{
    for (QTableView* list : m_lists) {
        if (now == list || (now != nullptr && list->isAncestorOf(now)))
            m_target = list;
    }
}

void ListSortMenu::Fill()
{
    m_menu.clear();
    delete m_groups; // the groups of the entries just removed
    m_groups = new QObject(this);
    QString usedKeys;
    for (const OrderEntry& entry : kOrderEntries)
        usedKeys += MarkedKey(Texts::Tr(entry.text));
    const ListSort sort = CurrentSort(*m_target);
    AddColumns(sort, usedKeys);
    m_menu.addSeparator();
    AddOrders(sort);
    m_menu.menuAction()->setEnabled(m_target->isVisible());
}

void ListSortMenu::AddColumns(const ListSort& sort, QString& usedKeys)
{
    const QHeaderView* header = m_target->horizontalHeader();
    auto* group = new QActionGroup(m_groups);
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        const QString heading = m_target->model()->headerData(column, Qt::Horizontal).toString();
        if (header->isSectionHidden(column) || heading.isEmpty())
            continue;
        QAction* action = group->addAction(m_menu.addAction(WithFreeKey(heading, usedKeys)));
        action->setCheckable(true);
        action->setChecked(column == sort.column);
        const Qt::SortOrder order = sort.column >= 0 ? sort.order : Qt::AscendingOrder;
        connect(action, &QAction::triggered, this, [this, column, order] { SortList(*m_target, column, order); });
    }
}

void ListSortMenu::AddOrders(const ListSort& sort)
{
    const int column = sort.column >= 0 ? sort.column : m_target->horizontalHeader()->logicalIndex(0);
    auto* group = new QActionGroup(m_groups);
    for (const OrderEntry& entry : kOrderEntries) {
        QAction* action = group->addAction(m_menu.addAction(Texts::Tr(entry.text)));
        action->setCheckable(true);
        action->setChecked(entry.ownOrder ? sort.column < 0 : sort.column >= 0 && sort.order == entry.order);
        const int sortColumn = entry.ownOrder ? -1 : column;
        const Qt::SortOrder order = entry.order;
        connect(action, &QAction::triggered, this,
                [this, sortColumn, order] { SortList(*m_target, sortColumn, order); });
    }
}
