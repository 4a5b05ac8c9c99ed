#include "save_menu.h"

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
    // Left-aligned at the pointer; popup() returns at once, so the window
    // goes on processing events while the menu is open.
    m_menu.popup(from->mapToGlobal(point));
}
