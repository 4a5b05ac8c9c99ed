// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The right-click menu of the catalogue controls: one save command followed
// by a separator and the commands a control added (AddCommand), rebuilt for
// every right click and shown with its top-left corner at the pointer, or
// under the current row for the keyboard. Choosing the save command emits
// `chosen`; the window connects the controls' save requests to its save
// command.

#include <QMenu>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QAbstractItemView;
class QKeyEvent;

class SaveMenu : public QObject {
    Q_OBJECT

public:
    // The command id of "Save Files" in the menus of the tree and the found-files list.
    static constexpr int kSaveFilesCommand = 32003;

    // `owner` is the control the menu belongs to and outlives this object.
    SaveMenu(QWidget* owner, QString text, int commandId);

    // A further command, enabled while `enabled` says so when the menu opens
    // (always, when `enabled` is empty).
    void AddCommand(QString text, std::function<bool()> enabled, std::function<void()> chosen);
    // Rebuilds the menu and shows it at `point` in the coordinates of `from`.
    void Popup(const QWidget* from, const QPoint& point);
    // The Menu key or Shift+F10 in `view`: the menu under its current row
    // (none without one). True when `event` was one of those keys.
    bool PopupForKey(const QAbstractItemView& view, const QKeyEvent& event);
    // The menu as last built (for tests: visible after Popup, until closed).
    QMenu* Menu() { return &m_menu; }

signals:
    void chosen(int commandId);

private:
    QMenu m_menu;
    QString m_text;
    int m_commandId;
    struct Command {
        QString text;
        std::function<bool()> enabled;
        std::function<void()> chosen;
    };
    std::vector<Command> m_commands;
};
