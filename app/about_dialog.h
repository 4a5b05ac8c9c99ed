// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box: the painted background with the version line, the maker's
// line and the contact block over it, and an OK button.

#include "bitmap_dialog.h"

class CTransparentStatic;

class CAboutDlg : public CBitmapDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    CTransparentStatic& VersionLine() const { return *m_version; }

private:
    CTransparentStatic* m_version;
};
