// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lets the window's accelerators win over a text box's own editing keys:
// with this, Ctrl+A and Ctrl+V in the file-name box run Add and Live Update
// instead of selecting all and pasting.

#include <QKeySequence>
#include <QList>
#include <QObject>

class AcceleratorPrecedence : public QObject {
    Q_OBJECT

public:
    // Installs itself on `box` (and is owned by it).
    AcceleratorPrecedence(QObject& box, QList<QKeySequence> accelerators);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QKeySequence> m_accelerators;
};
