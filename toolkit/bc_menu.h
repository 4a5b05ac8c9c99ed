// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A menu in the product's menu look (BCMenuStyle); use it for every pop-up of
// the menu bar and for context menus.

#include <QMenu>

class BCMenu : public QMenu {
    Q_OBJECT

public:
    explicit BCMenu(QWidget* parent = nullptr);
    explicit BCMenu(const QString& title, QWidget* parent = nullptr);
};
