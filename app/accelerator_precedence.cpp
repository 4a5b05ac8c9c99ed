// SPDX-License-Identifier: GPL-3.0-or-later
#include "accelerator_precedence.h"

#include <QKeyEvent>

AcceleratorPrecedence::AcceleratorPrecedence(QObject& box, QList<QKeySequence> accelerators)
    : QObject(&box), m_accelerators(std::move(accelerators))
{
    box.installEventFilter(this);
}

// A text box claims its editing keys by accepting the shortcut-override
// event; leaving the event unaccepted hands the key to the shortcut instead.
bool AcceleratorPrecedence::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    if (!m_accelerators.contains(pressed))
        return false;
    event->ignore();
    return true;
}
