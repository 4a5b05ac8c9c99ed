// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_menu.h"

#include <QAbstractItemView>
#include <QKeyEvent>

#include <utility>

SaveMenu::SaveMenu(QWidget* owner, QString text, int commandId)
    : QObject(owner), m_menu(owner), m_text(std::move(text)), m_commandId(commandId)
{
}

void SaveMenu::Popup(const QWidget* from, const QPoint& point)
{
    m_menu.clear();
    QAction* save = m_menu.addAction(m_text);
    save->setData(m_commandId);
    connect(save, &QAction::triggered, this, [this] { emit chosen(m_commandId); });
    m_menu.addSeparator();
    for (const auto& [text, action] : m_entries)
        connect(m_menu.addAction(text), &QAction::triggered, this, action);
    // Left-aligned at the pointer; popup() returns at once, so the window
    // goes on processing events while the menu is open.
    m_menu.popup(from->mapToGlobal(point));
}

void SaveMenu::AddEntry(const QString& text, std::function<void()> action)
{
    m_entries.emplace_back(text, std::move(action));
}

bool SaveMenu::PopupForKey(const QAbstractItemView& view, const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const bool menuKey = event.key() == Qt::Key_Menu && modifiers == Qt::NoModifier;
    const bool shiftF10 = event.key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier;
    if (!menuKey && !shiftF10)
        return false;
    const QModelIndex current = view.currentIndex();
    if (current.isValid())
        Popup(view.viewport(), view.visualRect(current).bottomLeft());
    return true;
}
