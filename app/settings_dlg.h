// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Settings dialog: the prefix that names a save's output root folder, in
// a group box of option rows (label, field). OK checks the prefix and keeps
// the dialog open with a message when it cannot be used; Cancel changes
// nothing. Window thread only.

#include "bitmap_dialog.h"

#include <QString>

class MessageService;
class QGridLayout;
class QLabel;
class QLineEdit;

class CSettingsDlg : public CBitmapDialog {
    Q_OBJECT

public:
    static constexpr int kPrefixLimit = 50;

    // `prefix` is shown, and replaced on a valid OK; it and `messages` outlive the dialog.
    CSettingsDlg(QString& prefix, MessageService& messages, QWidget* parent = nullptr);

    QLineEdit& PrefixEdit() const { return *m_editPrefix; }

public slots:
    void accept() override;

private:
    // Adds a row to the group box: `label` beside `field`.
    void AddOptionRow(QLabel* label, QWidget* field);
    // The message for a prefix that cannot be used, or nothing.
    const char* PrefixMessage(const QString& prefix) const;

    QString& m_strFilePrefix;
    MessageService& m_messages;
    QGridLayout* m_options = nullptr;
    QLineEdit* m_editPrefix = nullptr;
};
