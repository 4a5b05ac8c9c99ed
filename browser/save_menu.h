// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The right-click menu of the catalogue controls: one save command followed
// by a separator and the entries a control added, rebuilt for every right click and shown with its top-left
// corner at the pointer, or under the current row for the keyboard. Choosing the command emits `chosen`; the window
// connects the controls' save requests to its save command.

#include <QMenu>
#include <QObject>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

class QAbstractItemView;
class QKeyEvent;

class SaveMenu : public QObject {
    Q_OBJECT

public:
    // `owner` is the control the menu belongs to and outlives this object.
    SaveMenu(QWidget* owner, QString text, int commandId);

    // Rebuilds the menu and shows it at `point` in the coordinates of `from`.
    void Popup(const QWidget* from, const QPoint& point);
    // The Menu key or Shift+F10 in `view`: the menu under its current row
    // (none without one). True when `event` was one of those keys.
    bool PopupForKey(const QAbstractItemView& view, const QKeyEvent& event);
    // An entry under the separator, in every menu built from now on.
    void AddEntry(const QString& text, std::function<void()> action);
    // The menu as last built (for tests: visible after Popup, until closed).
    QMenu* Menu() { return &m_menu; }

signals:
    void chosen(int commandId);

private:
    QMenu m_menu;
    QString m_text;
    int m_commandId;
    std::vector<std::pair<QString, std::function<void()>>> m_entries;
};
