// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu_look.h"

#include <QSettings>

namespace {

constexpr quint32 kDefaultStart = 4378367;   // red 255, green 206, blue 66
constexpr quint32 kDefaultEnd = 16777215;    // white
constexpr int kDefaultWidth = 30;
constexpr int kMaximumWidth = 120; // a stray value must not make menus unusable

bool ReadFlag(const QSettings& settings, const char* key)
{
    return settings.value(QLatin1String(key), 1).toInt() != 0;
}

QColor ReadColor(const QSettings& settings, const char* key, quint32 fallback)
{
    return ColorFromColorRef(settings.value(QLatin1String(key), fallback).toUInt());
}

} // namespace

QColor ColorFromColorRef(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

MenuLook ReadMenuLook(const QSettings& settings)
{
    MenuLook look;
    look.showGradient = ReadFlag(settings, "MenuXP/ShowGradient");
    look.showGradientSelection = ReadFlag(settings, "MenuEx/ShowGradientSel");
    look.gradientStart = ReadColor(settings, "MenuXP/GradientStart", kDefaultStart);
    look.gradientEnd = ReadColor(settings, "MenuXP/GradientEnd", kDefaultEnd);
    const int width = settings.value(QStringLiteral("MenuXP/GradientWidth"), kDefaultWidth).toInt();
    look.gradientWidth = qBound(0, width, kMaximumWidth);
    return look;
}

const MenuLook& ProcessMenuLook()
{
    static const MenuLook look = ReadMenuLook(QSettings());
    return look;
}
