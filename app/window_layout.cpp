// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_layout.h"

WizardViewLayout LayOutWizardView(const QSize& client)
{
    const int w = client.width();
    const int h = client.height();
    const int middle = (h + 100) / 2; // the contents list above, the found-files list below
    WizardViewLayout layout;
    layout.fileName = QRect(100, h / 2 - 11, w - 260, 23);
    layout.selectHint = QRect(100, h / 2 - 31, w - 260, 18);
    layout.browse = QRect(w - 155, h / 2 - 11, 55, 23);
    layout.deepScan = QRect(100, h / 2 + 18, w - 260, 20);
    layout.next = QRect(w - 55, h - 40, 50, 38);
    layout.back = QRect(w - 110, h - 40, 50, 38);
    layout.stop = QRect(w - 165, h - 40, 50, 38);
    layout.homePage = QRect(w - 133, 0, 133, 63);
    layout.folderTree = QRect(50, 200, 250, h - 300);
    layout.folderContents = QRect(300, 200, w - 350, middle - 200);
    layout.catalogueList = QRect(300, middle, w - 350, h - 100 - middle);
    layout.helpTop = QRect(190, 84, w - 210, 29);
    // Between the lists' bottom edge and the navigation buttons.
    layout.scanReport = QRect(50, h - 96, w - 400, 18);
    return layout;
}

QRect MakeRoomForPreview(WizardViewLayout& layout)
{
    const int listsWidth = layout.folderContents.width();
    const int width = qMax(listsWidth * 9 / 20, qMin(260, listsWidth - 120));
    const int left = layout.folderContents.right() + 1 - width;
    layout.folderContents.setRight(left - 5);
    layout.catalogueList.setRight(left - 5);
    return QRect(left, layout.folderTree.top(), width, layout.catalogueList.bottom() + 1 - layout.folderTree.top());
}

void FitToFont(WizardViewLayout& layout, const TextNeeds& needs)
{
    const int rowHeight = qMax(qMax(layout.browse.height(), needs.browse.height()), needs.fileName.height());
    if (needs.browse.width() > layout.browse.width())
        layout.browse.setLeft(layout.browse.right() + 1 - needs.browse.width());
    layout.browse.setHeight(rowHeight);
    layout.fileName.setHeight(rowHeight);
    layout.fileName.setRight(qMin(layout.fileName.right(), layout.browse.left() - 6));
    layout.deepScan.moveTop(layout.fileName.bottom() + 8);
    layout.deepScan.setHeight(qMax(layout.deepScan.height(), needs.deepScan.height()));
    if (needs.reportLineHeight > layout.scanReport.height())
        layout.scanReport.setTop(layout.scanReport.bottom() + 1 - needs.reportLineHeight);
}

QSize MinimumWindowSize(const QSize& designed, const QSize& available, const QMargins& frame)
{
    const QSize room(available.width() - frame.left() - frame.right(),
                     available.height() - frame.top() - frame.bottom());
    return designed.boundedTo(room.expandedTo(QSize(1, 1)));
}

StatusBarLayout LayOutStatusBar(int width)
{
    StatusBarLayout layout;
    layout.progress = QRect(300, 5, width - 600, 10);
    layout.scanPosition = QRect(width - 290, 5, 140, 10);
    layout.fileCount = QRect(width - 150, 5, 140, 10);
    return layout;
}
