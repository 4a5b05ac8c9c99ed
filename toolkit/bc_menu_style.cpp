// SPDX-License-Identifier: GPL-3.0-or-later
#include "bc_menu_style.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyleOptionMenuItem>

namespace {

constexpr int kFlatStripWidth = 22;
constexpr int kMinimumItemHeight = 22;
constexpr int kSeparatorHeight = 7;
constexpr int kTextGap = 8;        // between the strip and the text
constexpr int kShortcutGap = 24;   // between the text and the shortcut
constexpr int kArrowWidth = 16;    // room for a sub-menu arrow at the right
constexpr int kIconSize = 16;
const QColor kText(32, 26, 16);
const QColor kDisabledText(150, 144, 132);

bool DisplayShowsGradients()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen == nullptr || screen->depth() > 8;
}

QColor Mix(const QColor& a, const QColor& b, qreal amountOfB)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * amountOfB,
        a.greenF() + (b.greenF() - a.greenF()) * amountOfB,
        a.blueF() + (b.blueF() - a.blueF()) * amountOfB);
}

QColor FlatMenuColor(const QPalette& palette)
{
    return Mix(palette.color(QPalette::Button), Qt::white, 0.75);
}

QColor FlatStripColor(const QPalette& palette)
{
    return Mix(palette.color(QPalette::Button), Qt::white, 0.35);
}

} // namespace

BCMenuStyle::BCMenuStyle() = default;

BCMenuStyle::BCMenuStyle(const MenuLook& look)
    : m_fixed(true)
    , m_look(look)
{
}

BCMenuStyle* BCMenuStyle::Instance()
{
    static QPointer<BCMenuStyle> instance;
    if (instance.isNull()) {
        instance = new BCMenuStyle;
        instance->setParent(qApp);
    }
    return instance.data();
}

const MenuLook& BCMenuStyle::Look() const
{
    return m_fixed ? m_look : ProcessMenuLook();
}

bool BCMenuStyle::PaintsGradient() const
{
    return Look().showGradient && DisplayShowsGradients();
}

int BCMenuStyle::StripWidth() const
{
    return PaintsGradient() ? Look().gradientWidth : kFlatStripWidth;
}

int BCMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    switch (metric) {
    case PM_MenuPanelWidth:
        return 1;
    case PM_MenuHMargin:
        return 0;
    case PM_MenuVMargin:
        return 2;
    case PM_SmallIconSize:
        return kIconSize;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QSize BCMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
    const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || item == nullptr)
        return QProxyStyle::sizeFromContents(type, option, contents, widget);
    if (item->menuItemType == QStyleOptionMenuItem::Separator)
        return QSize(contents.width(), kSeparatorHeight);
    const int width = StripWidth() + kTextGap + contents.width() + kShortcutGap + kArrowWidth;
    return QSize(width, qMax(contents.height() + 8, kMinimumItemHeight));
}

void BCMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
    const QWidget* widget) const
{
    if (element == PE_PanelMenu) {
        PaintMenuPanel(option, painter);
        return;
    }
    if (element == PE_FrameMenu) {
        painter->setPen(Look().gradientStart.darker(160));
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void BCMenuStyle::PaintMenuPanel(const QStyleOption* option, QPainter* painter) const
{
    const QRect rect = option->rect;
    painter->fillRect(rect, PaintsGradient() ? QColor(Qt::white) : FlatMenuColor(option->palette));
    PaintStrip(painter, rect.adjusted(1, 1, 0, -1));
}

void BCMenuStyle::PaintStrip(QPainter* painter, const QRect& itemRect) const
{
    const QRect strip(itemRect.left(), itemRect.top(), StripWidth(), itemRect.height());
    if (!PaintsGradient()) {
        painter->fillRect(strip, FlatStripColor(QApplication::palette()));
        return;
    }
    QLinearGradient gradient(strip.left(), 0, strip.right() + 1, 0);
    gradient.setColorAt(0, Look().gradientStart);
    gradient.setColorAt(1, Look().gradientEnd);
    painter->fillRect(strip, gradient);
}

void BCMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
    const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuItem && item != nullptr) {
        PaintMenuItem(item, painter);
        return;
    }
    if (element == CE_MenuBarItem && item != nullptr && (item->state & (State_Selected | State_Sunken))) {
        PaintMenuBarItem(item, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void BCMenuStyle::PaintMenuItem(const QStyleOptionMenuItem* item, QPainter* painter) const
{
    const QRect rect = item->rect;
    painter->save();
    painter->fillRect(rect, PaintsGradient() ? QColor(Qt::white) : FlatMenuColor(item->palette));
    PaintStrip(painter, rect);
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        const int y = rect.center().y();
        painter->setPen(Look().gradientStart.darker(130));
        painter->drawLine(rect.left() + StripWidth() + kTextGap, y, rect.right() - 4, y);
        painter->restore();
        return;
    }
    const bool enabled = item->state & State_Enabled;
    if (enabled && (item->state & State_Selected))
        PaintSelection(painter, rect.adjusted(1, 0, -2, -1));
    PaintItemIcon(item, painter);
    PaintItemText(item, painter);
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        QStyleOption arrow = *item;
        arrow.rect = QRect(rect.right() - kArrowWidth, rect.top(), kArrowWidth, rect.height());
        QProxyStyle::drawPrimitive(PE_IndicatorArrowRight, &arrow, painter, nullptr);
    }
    painter->restore();
}

void BCMenuStyle::PaintSelection(QPainter* painter, const QRect& rect) const
{
    const QColor start = Look().gradientStart;
    if (PaintsGradient() && Look().showGradientSelection) {
        QLinearGradient gradient(rect.left(), 0, rect.right() + 1, 0);
        gradient.setColorAt(0, start);
        gradient.setColorAt(1, Look().gradientEnd);
        painter->fillRect(rect, gradient);
    } else {
        painter->fillRect(rect, Mix(start, Qt::white, 0.6));
    }
    painter->setPen(start.darker(150));
    painter->drawRect(rect);
}

void BCMenuStyle::PaintItemIcon(const QStyleOptionMenuItem* item, QPainter* painter) const
{
    const QRect strip(item->rect.left(), item->rect.top(), StripWidth(), item->rect.height());
    QRect box(0, 0, kIconSize, kIconSize);
    box.moveCenter(strip.center());
    const bool enabled = item->state & State_Enabled;
    if (!item->icon.isNull()) {
        const QIcon::Mode mode = enabled ? QIcon::Normal : QIcon::Disabled;
        painter->drawPixmap(box, item->icon.pixmap(box.size(), painter->device()->devicePixelRatioF(), mode));
    }
    if (item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked) {
        painter->setPen(QPen(kText, 1.6));
        painter->setRenderHint(QPainter::Antialiasing);
        const QPointF c = box.center();
        painter->drawPolyline(QPolygonF({ c + QPointF(-5, 0), c + QPointF(-1.5, 3.5), c + QPointF(5, -4) }));
    }
}

void BCMenuStyle::PaintItemText(const QStyleOptionMenuItem* item, QPainter* painter) const
{
    const QRect rect = item->rect;
    const QRect textRect(rect.left() + StripWidth() + kTextGap, rect.top(),
        rect.width() - StripWidth() - kTextGap - kArrowWidth, rect.height());
    const qsizetype tab = item->text.indexOf(QLatin1Char('\t'));
    const QString text = item->text.left(tab);
    const QString shortcut = tab < 0 ? QString() : item->text.mid(tab + 1);
    const bool enabled = item->state & State_Enabled;
    painter->setPen(enabled ? kText : kDisabledText);
    painter->setFont(item->font);
    const int mnemonic = proxy()->styleHint(SH_UnderlineShortcut, item) ? Qt::TextShowMnemonic : Qt::TextHideMnemonic;
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | mnemonic, text);
    if (!shortcut.isEmpty())
        painter->drawText(textRect, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, shortcut);
}

void BCMenuStyle::PaintMenuBarItem(const QStyleOptionMenuItem* item, QPainter* painter, const QWidget* widget) const
{
    const QRect rect = item->rect.adjusted(0, 1, -1, -1);
    QLinearGradient gradient(0, rect.top(), 0, rect.bottom() + 1);
    gradient.setColorAt(0, Look().gradientEnd);
    gradient.setColorAt(1, Look().gradientStart);
    painter->save();
    painter->fillRect(rect, gradient);
    painter->setPen(Look().gradientStart.darker(150));
    painter->drawRect(rect);
    painter->setPen(kText);
    const int mnemonic = proxy()->styleHint(SH_UnderlineShortcut, item, widget) ? Qt::TextShowMnemonic : Qt::TextHideMnemonic;
    painter->drawText(item->rect, Qt::AlignCenter | Qt::TextSingleLine | mnemonic, item->text);
    painter->restore();
}
