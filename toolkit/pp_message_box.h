// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The message box every window message goes through: modal, captioned
// "Brevant Veltra BKF", on the message colours (RGB 247, 253, 134 fading
// into white). Runs on the window thread only.

#include "message_service.h"

#include <QColor>
#include <QPointer>
#include <QWidget>

class PPMessageBox : public MessageService {
public:
    // `owner` (may be null) centres the box and is disabled while it shows;
    // it is watched, so it may be destroyed before this object.
    explicit PPMessageBox(QWidget* owner = nullptr);

    int ShowMessage(const QString& text, int style) override;
    // The same, with a details area (plain text) that a click opens.
    int ShowMessageWithDetails(const QString& text, const QString& details, int style) override;

    static QColor BackgroundTop();
    static QColor BackgroundBottom();

private:
    QPointer<QWidget> m_owner;
};
