// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers the next modal dialog from inside its own event loop: `answer` runs
// on the window thread as soon as a modal widget is active. Polls on a short
// timer (no timing is asserted); gives up after many tries so that a test
// whose dialog never appears fails instead of hanging.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

inline void AnswerNextModal(std::function<void(QWidget*)> answer, int triesLeft = 500)
{
    QTimer::singleShot(10, [answer = std::move(answer), triesLeft]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            answer(modal);
            return;
        }
        if (triesLeft > 0)
            AnswerNextModal(std::move(answer), triesLeft - 1);
    });
}

// Answers the modal dialog that the call about to be made opens, at the
// first turn of its event loop: before a worker that the dialog started can
// have got far.
inline void AnswerModalAtOnce(std::function<void(QWidget*)> answer)
{
    QTimer::singleShot(0, [answer = std::move(answer)]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget())
            answer(modal);
        else
            AnswerNextModal(std::move(answer));
    });
}
