// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// While a scan runs, check changes through the tree and the contents list are
// refused with this message (the controls are told whether a scan runs).

#include "message_service.h"
#include "texts.h"

inline const char* const kScanRefusalText =
    QT_TRANSLATE_NOOP("Texts", "Please stop search process , then select files");

// Shows the refusal through `messages` (nothing when there is no service).
inline void ShowScanRefusal(MessageService* messages)
{
    if (messages != nullptr)
        messages->ShowMessage(Texts::Tr(kScanRefusalText), MessageService::kNotice);
}
