// SPDX-License-Identifier: GPL-3.0-or-later
#include "bc_menu.h"

#include "bc_menu_style.h"

BCMenu::BCMenu(QWidget* parent)
    : QMenu(parent)
{
    setStyle(BCMenuStyle::Instance());
}

BCMenu::BCMenu(const QString& title, QWidget* parent)
    : QMenu(title, parent)
{
    setStyle(BCMenuStyle::Instance());
}
