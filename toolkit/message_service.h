// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every message the system shows goes through this one interface: the window
// gives it the real message box, tests give it scripted answers.

#include <QString>

class MessageService {
public:
    // The message-box styles in use, with the platform's values.
    enum Style : int {
        kNotice = 0x20,  // question icon, OK: something must be done first
        kConfirm = 0x24, // question icon, Yes and No
        kInform = 0x40,  // information icon, OK: a failure or a report
    };
    // The buttons, with the platform's values (No is 7).
    enum Button : int { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

    virtual ~MessageService() = default;
    // Modal; returns the button pressed.
    virtual int ShowMessage(const QString& text, int style) = 0;
    // The same, with `details` (plain text) one click away; by default the
    // details follow the text.
    virtual int ShowMessageWithDetails(const QString& text, const QString& details, int style)
    {
        return ShowMessage(details.isEmpty() ? text : text + "\n\n" + details, style);
    }
};
