// SPDX-License-Identifier: GPL-3.0-or-later
// The question whether to stop a job, with a real modal window: the job is
// held while it is open and let go after, and a job that ends by itself
// meanwhile closes it.

#include "message_service.h"
#include "stop_question.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A modal window in place of the message box: Yes when accepted.
class ModalMessages : public MessageService {
public:
    int ShowMessage(const QString&, int) override
    {
        QDialog box;
        return box.exec() == QDialog::Accepted ? kYes : kNo;
    }
};

} // namespace

// Fault: a scan that ended behind its stop question left the question open,
// with nothing left to stop.
TEST(StopQuestion, ClosesAsNoWhenTheJobEndsWhileItIsOpen)
{
    ModalMessages messages;
    std::vector<bool> holds;
    StopQuestion question(messages, [&](bool held) { holds.push_back(held); });
    bool leftOpen = false;
    QTimer rescue; // ends the test instead of hanging it
    rescue.setSingleShot(true);
    QObject::connect(&rescue, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            leftOpen = true;
            box->accept();
        }
    });
    rescue.start(10000);
    QTimer::singleShot(0, [&] { question.JobEnded(); });
    bool stopped = false;
    EXPECT_FALSE(question.Ask([&] { stopped = true; }));
    EXPECT_FALSE(leftOpen);
    EXPECT_FALSE(stopped);
    EXPECT_EQ(holds, (std::vector<bool>{true, false}));
}
