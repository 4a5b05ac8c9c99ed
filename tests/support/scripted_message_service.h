// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A MessageService for window tests: records every message shown and answers
// from a script (OK once the script is used up). Header-only, so the engine's
// Qt-free test support library does not need Qt.

#include "message_service.h"

#include <QString>

#include <deque>
#include <functional>
#include <utility>
#include <vector>

class ScriptedMessageService : public MessageService {
public:
    struct Shown {
        QString text;
        int style;
    };

    std::vector<Shown> shown;
    std::deque<int> answers; // the buttons to press, in order
    // Runs while the next message is open, before it is answered (once).
    std::function<void()> whileOpen;

    int ShowMessage(const QString& text, int style) override
    {
        shown.push_back(Shown{text, style});
        if (whileOpen)
            std::exchange(whileOpen, nullptr)();
        if (answers.empty())
            return kOk;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
