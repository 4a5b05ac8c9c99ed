// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The product's images, all drawn in code in one palette: the background
// pieces of the wizard view, the toolbar and navigation buttons (normal and
// hover faces), the logo, the dialog backgrounds, the menu and message icons
// and the application icon. Every image is returned at the requested device
// pixel ratio (sharp on high-density screens) and sized in device-independent
// pixels as listed here. Images are cached: asking again is cheap.
// Window thread only.

#include "message_buttons.h"
#include "view_background.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>

namespace Artwork {

enum class ViewPiece { kHeaderLeft, kHeaderRight, kHeaderMiddle, kFooter, kBody };
enum class ToolbarCommand { kAddFile, kRepair, kSave, kSettings, kUpdate };
enum class NavigationCommand { kNext, kBack, kStop };
enum class ButtonFace { kNormal, kHover };
// In the order of the frame's menu image list (indexes 0 to 6).
enum class MenuIcon { kAdd, kAbout, kExit, kHelp, kLiveUpdate, kSettings, kSave, kCheck };

inline constexpr QSize kToolbarButtonSize(58, 50);
inline constexpr QSize kNavigationButtonSize(50, 38);
inline constexpr QSize kLogoSize(133, 63);
// The About box's client area (239 x 206 dialog units of an 8-point font);
// its banner takes the top kAboutBannerHeight pixels, text goes below.
inline constexpr QSize kAboutSize(360, 336);
inline constexpr int kAboutBannerHeight = 118;
inline constexpr QSize kMessageIconSize(32, 32);
inline constexpr int kMenuIconSize = 16;

// The ratio of the sharpest screen attached (at least 1).
qreal ScreenPixelRatio();

QSize PieceSize(ViewPiece piece);
QPixmap ViewBackgroundPiece(ViewPiece piece, qreal ratio = ScreenPixelRatio());
// The five pieces, ready for PaintViewBackground.
ViewBackgroundPieces ViewBackground(qreal ratio = ScreenPixelRatio());

QPixmap ToolbarButton(ToolbarCommand command, ButtonFace face, qreal ratio = ScreenPixelRatio());
QPixmap NavigationButton(NavigationCommand command, ButtonFace face, qreal ratio = ScreenPixelRatio());
QPixmap Logo(ButtonFace face = ButtonFace::kNormal, qreal ratio = ScreenPixelRatio());

QPixmap AboutBackground(qreal ratio = ScreenPixelRatio());
// A background for any other dialog (settings, save progress) of `size`.
QPixmap DialogBackground(const QSize& size, qreal ratio = ScreenPixelRatio());

// 16 x 16, with sharper renderings for high-density screens.
QIcon MenuIconImage(MenuIcon icon);
QPixmap MessageIcon(MessageIconKind kind, qreal ratio = ScreenPixelRatio());

// The application's icon, drawn at any edge length in pixels.
QImage ApplicationIconImage(int edge);
// The icon at 16, 24, 32, 48, 64, 128 and 256 pixels.
QIcon ApplicationIcon();
inline constexpr int kApplicationIconEdges[] = { 16, 24, 32, 48, 64, 128, 256 };

} // namespace Artwork
