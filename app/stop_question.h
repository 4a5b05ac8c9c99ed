// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Do you want to stop repairing process?" over a running job (a scan or a
// save). The job is held while the question is open, so nothing more is
// scanned or written while the user decides; Yes stops it before it is let
// go. When the job ends by itself meanwhile, the question has nothing left to
// stop and closes as No. Window thread only.

#include <functional>

class MessageService;

class StopQuestion {
public:
    // `hold(true)` holds the job where it is, `hold(false)` lets it go on.
    using Hold = std::function<void(bool held)>;

    // `messages` outlives this object.
    StopQuestion(MessageService& messages, Hold hold);

    // Asks with the job held; on Yes (the job still running) runs `stop`
    // before the job is let go, and returns true.
    bool Ask(const std::function<void()>& stop);
    // The job has ended: an open question closes (as No).
    void JobEnded();

private:
    MessageService& m_messages;
    Hold m_hold;
    bool m_open = false;
    bool m_jobEnded = false;
};
