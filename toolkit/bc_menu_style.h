// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The look of the menus: a white menu with an icon strip down its left side,
// painted as a gradient from the menu look's start to its end colour (or, with
// the gradient switched off or on a display of 8 bits or fewer, a flat
// 22-pixel strip in shades of the button face), and the selected item painted
// as a gradient too (or a flat tint). Everything else is the base style's.

#include "menu_look.h"

#include <QProxyStyle>

class QStyleOptionMenuItem;

class BCMenuStyle : public QProxyStyle {
    Q_OBJECT

public:
    // Reads the menu look of the process when it first paints.
    BCMenuStyle();
    // With a fixed look (tests, previews).
    explicit BCMenuStyle(const MenuLook& look);

    // One instance for the process, owned by the application object.
    static BCMenuStyle* Instance();

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
        const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
        const QWidget* widget = nullptr) const override;

    // Width of the icon strip in the look this style paints.
    int StripWidth() const;
    bool PaintsGradient() const;

private:
    const MenuLook& Look() const;
    void PaintMenuPanel(const QStyleOption* option, QPainter* painter) const;
    void PaintStrip(QPainter* painter, const QRect& itemRect) const;
    void PaintMenuItem(const QStyleOptionMenuItem* item, QPainter* painter) const;
    void PaintSelection(QPainter* painter, const QRect& rect) const;
    void PaintItemIcon(const QStyleOptionMenuItem* item, QPainter* painter) const;
    void PaintItemText(const QStyleOptionMenuItem* item, QPainter* painter) const;
    void PaintMenuBarItem(const QStyleOptionMenuItem* item, QPainter* painter,
        const QWidget* widget) const;

    bool m_fixed = false;
    MenuLook m_look;
};
