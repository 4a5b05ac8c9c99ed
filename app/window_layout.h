// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the window's controls go for a given size (integer division
// truncates, as the layout always has).

#include <QMargins>
#include <QRect>
#include <QSize>

// The wizard view's controls for a client area of `client` size.
struct WizardViewLayout {
    QRect fileName;
    QRect selectHint;
    QRect browse;
    QRect deepScan; // under the file name
    QRect next;
    QRect back;
    QRect stop;
    QRect homePage;
    QRect folderTree;
    QRect folderContents;
    QRect catalogueList;
    QRect helpTop;
    QRect scanReport; // the line under the lists that tells what a scan passed over
};
WizardViewLayout LayOutWizardView(const QSize& client);

// The preview pane beside the lists: it takes the right part of the lists'
// area, from the tree's top to the found-files list's bottom, and the two
// lists on the right give way.
QRect MakeRoomForPreview(WizardViewLayout& layout);

// What the font asks of the controls that hold text (their size hints).
struct TextNeeds {
    QSize browse;
    QSize fileName;
    QSize deepScan;
    int reportLineHeight = 0;
};
// `layout` grown where the font needs more room than the formulas give (a
// large desktop font): Browse widens to the left and the file-name box gives
// way; the boxes grow downwards, the report line upwards.
void FitToFont(WizardViewLayout& layout, const TextNeeds& needs);

// The least size of the main window: `designed`, bounded by the screen's
// `available` area less the window's `frame` (title bar and borders).
QSize MinimumWindowSize(const QSize& designed, const QSize& available, const QMargins& frame);

// The scan's controls inside a status bar `width` pixels wide.
struct StatusBarLayout {
    QRect progress;
    QRect scanPosition;
    QRect fileCount;
};
StatusBarLayout LayOutStatusBar(int width);
