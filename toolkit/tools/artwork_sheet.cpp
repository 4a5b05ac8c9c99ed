// SPDX-License-Identifier: GPL-3.0-or-later
#include "artwork_sheet.h"

#include "artwork.h"
#include "bc_menu.h"
#include "bc_menu_style.h"
#include "gradient_static.h"
#include "label_font.h"
#include "pp_message_box.h"
#include "pp_message_dialog.h"
#include "view_background.h"

#include <QAction>
#include <QMenuBar>
#include <QPainter>

namespace {

using namespace Artwork;

constexpr int kSheetWidth = 1240;
constexpr int kSheetHeight = 3600; // cropped to what is used
constexpr int kMargin = 24;
const QSize kViewSize(1000, 620);

class Sheet {
public:
    explicit Sheet(QImage& image)
        : m_painter(&image)
    {
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_painter.fillRect(QRect(QPoint(0, 0), image.deviceIndependentSize().toSize()), QColor(236, 236, 232));
    }

    QPainter& Painter() { return m_painter; }

    void Heading(const QString& text)
    {
        NewRow();
        m_painter.setPen(QColor(60, 60, 60));
        m_painter.setFont(QFont(QStringLiteral("Liberation Sans"), 13, QFont::Bold));
        m_painter.drawText(QPointF(kMargin, m_y + 16), text);
        m_y += 26;
    }

    // Places an item of `size` in the current row and returns its top-left.
    QPoint Place(const QSize& size, const QString& caption = QString())
    {
        if (m_x + size.width() > kSheetWidth - kMargin)
            NewRow();
        const QPoint at(m_x, m_y);
        if (!caption.isEmpty()) {
            m_painter.setPen(QColor(90, 90, 90));
            m_painter.setFont(QFont(QStringLiteral("Liberation Sans"), 8));
            m_painter.drawText(QPointF(at.x(), at.y() + size.height() + 12), caption);
        }
        m_x += size.width() + 14;
        m_rowHeight = qMax(m_rowHeight, size.height() + (caption.isEmpty() ? 0 : 16));
        return at;
    }

    void Draw(const QPixmap& pixmap, const QString& caption, const QColor& ground = QColor())
    {
        const QSize size = pixmap.deviceIndependentSize().toSize();
        const QPoint at = Place(size, caption);
        if (ground.isValid())
            m_painter.fillRect(QRect(at, size), ground);
        m_painter.drawPixmap(at, pixmap);
    }

    int Bottom() const { return m_y + m_rowHeight + kMargin; }

    void NewRow()
    {
        if (m_rowHeight > 0)
            m_y += m_rowHeight + 14;
        m_x = kMargin;
        m_rowHeight = 0;
    }

private:
    QPainter m_painter;
    int m_x = kMargin;
    int m_y = kMargin;
    int m_rowHeight = 0;
};

void PaintLabel(QPainter& painter, const QRect& area, const QColor& left, const QColor& right, const QColor& ink,
    const QString& text)
{
    CGradientStatic label;
    label.setFont(CellHeightFont(QStringLiteral("Arial"), 14));
    label.SetGradient(left, right);
    label.SetTextColor(ink);
    label.SetText(text);
    label.resize(area.size());
    label.render(&painter, area.topLeft(), QRegion(), QWidget::DrawChildren);
}

void PaintToolbar(QPainter& painter, const QPoint& origin)
{
    const int lefts[] = { 14, 103, 199, 288, 385 };
    for (int index = 0; index < 5; ++index) {
        const ButtonFace face = index == 1 ? ButtonFace::kHover : ButtonFace::kNormal;
        painter.drawPixmap(origin + QPoint(lefts[index], 0), ToolbarButton(ToolbarCommand(index), face));
    }
}

void PaintControlBox(QPainter& painter, const QRect& area, const QString& caption)
{
    painter.setPen(QColor(122, 122, 122));
    painter.setBrush(Qt::white);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.setPen(QColor(150, 150, 150));
    painter.drawText(area, Qt::AlignCenter, caption);
}

void PaintFilePage(QPainter& painter, const QPoint& origin, const QSize& size)
{
    const int w = size.width();
    const int h = size.height();
    PaintLabel(painter, QRect(origin + QPoint(190, 84), QSize(w - 210, 29)), QColor(255, 252, 179),
        QColor(255, 186, 16), Qt::black,
        QStringLiteral("1.\tselect file for repair from Browse button or from Add File button from toolbar \n"
                       "2.\tPress Next button"));
    PaintLabel(painter, QRect(origin + QPoint(100, h / 2 - 31), QSize(w - 260, 18)), QColor(255, 210, 87),
        QColor(255, 210, 87), Qt::red, QStringLiteral("Please select file to repair , Using Browse button"));
    PaintControlBox(painter, QRect(origin + QPoint(100, h / 2 - 11), QSize(w - 260, 23)), QString());
    painter.setPen(QColor(122, 122, 122));
    painter.setBrush(QColor(240, 240, 240));
    painter.drawRect(QRect(origin + QPoint(w - 155, h / 2 - 11), QSize(55, 23)).adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    painter.drawText(QRect(origin + QPoint(w - 155, h / 2 - 11), QSize(55, 23)), Qt::AlignCenter,
        QStringLiteral("Browse"));
}

void PaintResultsPage(QPainter& painter, const QPoint& origin, const QSize& size)
{
    const int w = size.width();
    const int h = size.height();
    const int m = (h + 100) / 2;
    PaintLabel(painter, QRect(origin + QPoint(190, 84), QSize(w - 210, 29)), QColor(255, 252, 179),
        QColor(255, 186, 16), Qt::black, QStringLiteral("Searching..."));
    PaintControlBox(painter, QRect(origin + QPoint(50, 200), QSize(250, h - 300)), QStringLiteral("folder tree"));
    PaintControlBox(painter, QRect(origin + QPoint(300, 200), QSize(w - 350, m - 200)), QStringLiteral("folder contents"));
    PaintControlBox(painter, QRect(origin + QPoint(300, m), QSize(w - 350, h - 100 - m)), QStringLiteral("found files"));
    painter.drawPixmap(origin + QPoint(w - 165, h - 40), NavigationButton(NavigationCommand::kStop, ButtonFace::kHover));
    painter.drawPixmap(origin + QPoint(w - 110, h - 40), NavigationButton(NavigationCommand::kBack, ButtonFace::kNormal));
}

void PaintView(Sheet& sheet, bool resultsPage)
{
    const QString caption = resultsPage
        ? QStringLiteral("The results page while a scan runs, pointer over Stop")
        : QStringLiteral("The wizard view put together (file page, 1000 x 620), pointer over Repair");
    const QPoint origin = sheet.Place(kViewSize, caption);
    QPainter& painter = sheet.Painter();
    painter.save();
    painter.setClipRect(QRect(origin, kViewSize));
    painter.translate(origin);
    PaintViewBackground(painter, kViewSize, ViewBackground());
    painter.translate(-origin);
    PaintToolbar(painter, origin);
    painter.drawPixmap(origin + QPoint(kViewSize.width() - 133, 0), Logo(ButtonFace::kNormal));
    const int w = kViewSize.width();
    const int h = kViewSize.height();
    painter.drawPixmap(origin + QPoint(w - 55, h - 40), NavigationButton(NavigationCommand::kNext, ButtonFace::kNormal));
    if (resultsPage)
        PaintResultsPage(painter, origin, kViewSize);
    else
        PaintFilePage(painter, origin, kViewSize);
    painter.restore();
}

void PaintPieces(Sheet& sheet)
{
    sheet.Heading(QStringLiteral("Background pieces"));
    const char* names[] = { "header left 578 x 199", "header right 137 x 199", "header middle 69 x 199",
        "footer 779 x 68", "body 407 x 160" };
    for (int piece = 0; piece < 5; ++piece)
        sheet.Draw(ViewBackgroundPiece(ViewPiece(piece)), QString::fromLatin1(names[piece]));
}

void PaintButtons(Sheet& sheet)
{
    sheet.Heading(QStringLiteral("Toolbar buttons 58 x 50, navigation buttons 50 x 38, logo 133 x 63: normal and hover"));
    const QColor band(255, 200, 76);
    for (ButtonFace face : { ButtonFace::kNormal, ButtonFace::kHover }) {
        for (int command = 0; command < 5; ++command)
            sheet.Draw(ToolbarButton(ToolbarCommand(command), face), QString(), band);
    }
    sheet.NewRow();
    const QColor footer(255, 222, 130);
    for (ButtonFace face : { ButtonFace::kNormal, ButtonFace::kHover }) {
        for (int command = 0; command < 3; ++command)
            sheet.Draw(NavigationButton(NavigationCommand(command), face), QString(), footer);
    }
    sheet.Draw(Logo(ButtonFace::kNormal), QString(), band);
    sheet.Draw(Logo(ButtonFace::kHover), QString(), band);
}

void PaintIcons(Sheet& sheet)
{
    sheet.Heading(QStringLiteral("Menu icons (16 and 32), message icons, application icon 16 to 256"));
    for (qreal ratio : { 1.0, 2.0 }) {
        for (int icon = 0; icon < 7; ++icon) {
            QPixmap pixmap = MenuIconImage(MenuIcon(icon)).pixmap(QSize(kMenuIconSize, kMenuIconSize), ratio);
            pixmap.setDevicePixelRatio(1.0); // shown at its device size
            sheet.Draw(pixmap, QString(), Qt::white);
        }
    }
    for (auto kind : { MessageIconKind::kQuestion, MessageIconKind::kInformation, MessageIconKind::kWarning,
             MessageIconKind::kError })
        sheet.Draw(MessageIcon(kind), QString());
    for (int edge : kApplicationIconEdges)
        sheet.Draw(QPixmap::fromImage(ApplicationIconImage(edge)), QString::number(edge));
}

QPixmap GrabMenu()
{
    BCMenu menu(QStringLiteral("&File"));
    QAction* add = menu.addAction(MenuIconImage(MenuIcon::kAdd), QStringLiteral("&Add\tCtrl+A"));
    menu.addAction(MenuIconImage(MenuIcon::kSave), QStringLiteral("&Save\tCtrl+S"));
    menu.addSeparator();
    menu.addAction(MenuIconImage(MenuIcon::kExit), QStringLiteral("E&xit"));
    menu.popup(QPoint(0, 0));
    menu.setActiveAction(add);
    QPixmap pixmap = menu.grab();
    menu.hide();
    return pixmap;
}

QPixmap GrabMenuBar()
{
    QMenuBar bar;
    bar.setStyle(BCMenuStyle::Instance());
    QMenu* file = new BCMenu(QStringLiteral("&File"), &bar);
    file->addAction(MenuIconImage(MenuIcon::kAdd), QStringLiteral("&Add\tCtrl+A"));
    bar.addMenu(file);
    bar.addMenu(new BCMenu(QStringLiteral("&Tools"), &bar));
    bar.addMenu(new BCMenu(QStringLiteral("&Help"), &bar));
    bar.resize(260, bar.sizeHint().height());
    bar.show();
    bar.setActiveAction(file->menuAction());
    QPixmap pixmap = bar.grab();
    file->hide();
    return pixmap;
}

QPixmap GrabMessage(const QString& text, int style, const QString& details = QString())
{
    PPMessageDialog dialog(text, style, details);
    dialog.SetBackground(PPMessageBox::BackgroundTop(), PPMessageBox::BackgroundBottom());
    dialog.adjustSize();
    return dialog.grab();
}

void PaintDialogs(Sheet& sheet)
{
    sheet.Heading(QStringLiteral("About background, a dialog background, the menu look, message boxes"));
    sheet.Draw(AboutBackground(), QStringLiteral("About 360 x 336"));
    sheet.Draw(DialogBackground(QSize(369, 179)), QStringLiteral("Settings dialog 369 x 179"));
    sheet.Draw(GrabMenu(), QStringLiteral("File menu"));
    sheet.Draw(GrabMenuBar(), QStringLiteral("Menu bar, File open"));
    sheet.NewRow();
    sheet.Draw(GrabMessage(QStringLiteral("Do you want to stop repairing process?"), 0x24), QStringLiteral("0x24"));
    sheet.Draw(GrabMessage(QStringLiteral("Invalid File Name"), 0x20), QStringLiteral("0x20"));
    sheet.Draw(GrabMessage(QStringLiteral("Live Update file not found. Please re-install the software."), 0x40),
        QStringLiteral("0x40"));
}

} // namespace

QImage RenderArtworkSheet()
{
    // At the screen's ratio (QT_SCALE_FACTOR=2 shows the high-density images).
    const qreal ratio = ScreenPixelRatio();
    QImage image(QSize(kSheetWidth, kSheetHeight) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    int bottom = 0;
    {
        Sheet sheet(image);
        PaintView(sheet, false);
        sheet.NewRow();
        PaintView(sheet, true);
        PaintPieces(sheet);
        PaintButtons(sheet);
        PaintIcons(sheet);
        PaintDialogs(sheet);
        bottom = sheet.Bottom();
    }
    return image.copy(0, 0, image.width(), int(qMin(bottom, kSheetHeight) * ratio));
}
