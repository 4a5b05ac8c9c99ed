// SPDX-License-Identifier: GPL-3.0-or-later
#include "message_buttons.h"

#include "message_service.h"

namespace {

constexpr int kButtonMask = 0x0F;
constexpr int kIconMask = 0xF0;

// The platform's button-set values.
constexpr int kSetOk = 0x0;
constexpr int kSetOkCancel = 0x1;
constexpr int kSetYesNoCancel = 0x3;
constexpr int kSetYesNo = 0x4;

} // namespace

MessageButtons ButtonsForStyle(int style)
{
    switch (style & kButtonMask) {
    case kSetOkCancel:
        return { { MessageService::kOk, MessageService::kCancel }, MessageService::kCancel };
    case kSetYesNoCancel:
        return { { MessageService::kYes, MessageService::kNo, MessageService::kCancel }, MessageService::kCancel };
    case kSetYesNo:
        return { { MessageService::kYes, MessageService::kNo }, MessageService::kNo };
    case kSetOk:
    default:
        return { { MessageService::kOk }, MessageService::kOk };
    }
}

MessageIconKind IconKindForStyle(int style)
{
    switch (style & kIconMask) {
    case 0x10:
        return MessageIconKind::kError;
    case 0x20:
        return MessageIconKind::kQuestion;
    case 0x30:
        return MessageIconKind::kWarning;
    case 0x40:
        return MessageIconKind::kInformation;
    default:
        return MessageIconKind::kNone;
    }
}
