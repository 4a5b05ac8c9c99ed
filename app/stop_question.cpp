// SPDX-License-Identifier: GPL-3.0-or-later
#include "stop_question.h"

#include "message_service.h"
#include "system_texts.h"
#include "texts.h"

#include <QApplication>
#include <QDialog>

#include <utility>

StopQuestion::StopQuestion(MessageService& messages, Hold hold) : m_messages(messages), m_hold(std::move(hold)) {}

bool StopQuestion::Ask(const std::function<void()>& stop)
{
    m_open = true;
    m_jobEnded = false;
    m_hold(true);
    const bool yes = m_messages.ShowMessage(Texts::Tr(SystemText::kStopQuestion), MessageService::kConfirm)
        == MessageService::kYes;
    m_open = false;
    const bool stopping = yes && !m_jobEnded;
    if (stopping)
        stop();
    m_hold(false);
    return stopping;
}

void StopQuestion::JobEnded()
{
    m_jobEnded = true;
    if (!m_open)
        return;
    // The question is the window on top while it is open.
    if (auto* question = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
        question->reject();
}
