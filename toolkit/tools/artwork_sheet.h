// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One contact sheet of all the artwork, at the screen's pixel ratio: the wizard view put together, every
// image at its size (both faces of each button), the icons, the menu look and
// a message box.

#include <QImage>

QImage RenderArtworkSheet();
