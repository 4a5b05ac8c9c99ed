// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's texts in the user's language. Every text the window shows is
// English in the source and marked for lupdate in the context "Texts":
// written as Texts::Tr("...") where it is shown, or as
// QT_TRANSLATE_NOOP("Texts", "...") where it is kept and later passed to
// Texts::Tr. Without an installed translation Tr gives the English text.

#include <QCoreApplication>
#include <QString>

namespace Texts {

inline QString Tr(const char* text)
{
    return QCoreApplication::translate("Texts", text);
}

} // namespace Texts
