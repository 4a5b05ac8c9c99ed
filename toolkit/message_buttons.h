// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a message-box style asks for: the platform's flag values decoded into
// the buttons to show, the answer of Escape or the close button, and the icon.

#include <QVector>

enum class MessageIconKind { kNone, kQuestion, kInformation, kWarning, kError };

struct MessageButtons {
    QVector<int> buttons; // MessageService::Button values, left to right
    int escapeAnswer = 0; // what Escape and the close button answer
};

// The low four bits choose the buttons (OK, OK/Cancel, Yes/No/Cancel, Yes/No);
// an unknown set falls back to OK so that every message can be dismissed.
MessageButtons ButtonsForStyle(int style);
// Bits 4 to 7 choose the icon.
MessageIconKind IconKindForStyle(int style);
