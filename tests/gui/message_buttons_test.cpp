// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's message-box flags decoded: which buttons, which answer for
// Escape, which icon.

#include "message_buttons.h"
#include "message_service.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageButtonsTest, ButtonSetsAndEscapeAnswers)
{
    struct {
        int style;
        QVector<int> buttons;
        int escape;
    } const cases[] = {
        { 0x20, { MessageService::kOk }, MessageService::kOk },
        { 0x24, { MessageService::kYes, MessageService::kNo }, MessageService::kNo },
        { 0x40, { MessageService::kOk }, MessageService::kOk },
        { 0x21, { MessageService::kOk, MessageService::kCancel }, MessageService::kCancel },
        { 0x23, { MessageService::kYes, MessageService::kNo, MessageService::kCancel }, MessageService::kCancel },
        { 0x0F, { MessageService::kOk }, MessageService::kOk }, // unknown set: still dismissable
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.style);
        const MessageButtons decoded = ButtonsForStyle(test.style);
        EXPECT_EQ(decoded.buttons, test.buttons);
        EXPECT_EQ(decoded.escapeAnswer, test.escape);
    }
}

TEST(MessageButtonsTest, Icons)
{
    EXPECT_EQ(IconKindForStyle(0x20), MessageIconKind::kQuestion);
    EXPECT_EQ(IconKindForStyle(0x24), MessageIconKind::kQuestion);
    EXPECT_EQ(IconKindForStyle(0x40), MessageIconKind::kInformation);
    EXPECT_EQ(IconKindForStyle(0x30), MessageIconKind::kWarning);
    EXPECT_EQ(IconKindForStyle(0x10), MessageIconKind::kError);
    EXPECT_EQ(IconKindForStyle(0x04), MessageIconKind::kNone);
}

} // namespace
