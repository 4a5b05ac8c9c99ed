// SPDX-License-Identifier: GPL-3.0-or-later
#include "about_dialog.h"

#include "artwork.h"
#include "product_info.h"
#include "texts.h"
#include "transparent_static.h"

#include <QPushButton>

namespace {

CTransparentStatic* MakeLine(QWidget& dialog, const QString& text, const QRect& place, int pointSize, bool bold)
{
    auto* line = new CTransparentStatic(&dialog);
    QFont font = line->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    line->setFont(font);
    line->SetText(text);
    line->setGeometry(place);
    return line;
}

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent)
    : CBitmapDialog(parent)
{
    setWindowTitle(Texts::Tr("About %1").arg(ProductInfo::kApplicationName));
    SetBackground(Artwork::AboutBackground(devicePixelRatioF()));
    setFixedSize(Artwork::kAboutSize);
    const int top = Artwork::kAboutBannerHeight + 12;
    const int width = Artwork::kAboutSize.width() - 40;
    m_version = MakeLine(*this, Texts::Tr("%1 Version %2").arg(ProductInfo::kApplicationName, BKF_VERSION),
                         QRect(20, top, width, 22), 11, true);
    MakeLine(*this, QString::fromUtf8(ProductInfo::kMakerLine), QRect(20, top + 26, width, 20), 9, false);
    const QString contact = Texts::Tr("%1\n\nSales: %2\n\nSupport: %3")
                                .arg(QString::fromUtf8(ProductInfo::kHomePage), QString::fromUtf8(ProductInfo::kSalesAddress),
                                     QString::fromUtf8(ProductInfo::kSupportAddress));
    MakeLine(*this, contact, QRect(20, top + 54, width, 110), 9, false);
    auto* ok = new QPushButton(Texts::Tr("OK"), this);
    ok->setDefault(true);
    ok->setGeometry(Artwork::kAboutSize.width() - 100, Artwork::kAboutSize.height() - 40, 80, 26);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
