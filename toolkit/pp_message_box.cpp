// SPDX-License-Identifier: GPL-3.0-or-later
#include "pp_message_box.h"

#include "pp_message_dialog.h"

PPMessageBox::PPMessageBox(QWidget* owner)
    : m_owner(owner)
{
}

int PPMessageBox::ShowMessage(const QString& text, int style)
{
    return ShowMessageWithDetails(text, QString(), style);
}

int PPMessageBox::ShowMessageWithDetails(const QString& text, const QString& details, int style)
{
    PPMessageDialog dialog(text, style, details, m_owner.data());
    dialog.SetBackground(BackgroundTop(), BackgroundBottom());
    return dialog.exec();
}

QColor PPMessageBox::BackgroundTop()
{
    return QColor(247, 253, 134);
}

QColor PPMessageBox::BackgroundBottom()
{
    return QColor(Qt::white);
}
