// SPDX-License-Identifier: GPL-3.0-or-later
// The menu look's settings: the defaults when nothing is stored, the stored
// values when present, colours stored the desktop's way (0x00BBGGRR).

#include "bc_menu_style.h"
#include "menu_look.h"
#include "temp_path.h"

#include <QSettings>

#include <gtest/gtest.h>

namespace {

TEST(MenuLookTest, DefaultsWhenNothingIsStored)
{
    const TempDir folder;
    const QSettings settings(QString::fromStdString(folder.Child("menu.ini")), QSettings::IniFormat);
    const MenuLook look = ReadMenuLook(settings);
    EXPECT_TRUE(look.showGradient);
    EXPECT_TRUE(look.showGradientSelection);
    EXPECT_EQ(look.gradientStart, QColor(255, 206, 66));
    EXPECT_EQ(look.gradientEnd, QColor(255, 255, 255));
    EXPECT_EQ(look.gradientWidth, 30);
}

TEST(MenuLookTest, StoredValuesWin)
{
    const TempDir folder;
    QSettings settings(QString::fromStdString(folder.Child("menu.ini")), QSettings::IniFormat);
    settings.setValue("MenuXP/ShowGradient", 0);
    settings.setValue("MenuEx/ShowGradientSel", 0);
    settings.setValue("MenuXP/GradientStart", 0x000000FF);
    settings.setValue("MenuXP/GradientEnd", 0x00FF0000);
    settings.setValue("MenuXP/GradientWidth", 44);
    settings.sync();
    const MenuLook look = ReadMenuLook(settings);
    EXPECT_FALSE(look.showGradient);
    EXPECT_FALSE(look.showGradientSelection);
    EXPECT_EQ(look.gradientStart, QColor(255, 0, 0));
    EXPECT_EQ(look.gradientEnd, QColor(0, 0, 255));
    EXPECT_EQ(look.gradientWidth, 44);
}

TEST(MenuLookTest, StripWidthFollowsTheLook)
{
    MenuLook look;
    EXPECT_EQ(BCMenuStyle(look).StripWidth(), 30);
    look.showGradient = false;
    EXPECT_EQ(BCMenuStyle(look).StripWidth(), 22);
}

} // namespace
