// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The images of the catalogue browser, drawn in code so that they stay sharp
// at any device pixel ratio: the check-box state images shared by the tree
// and both lists, and the tree's node icons (16 x 16 logical pixels).

#include "check_state.h"

#include <QIcon>
#include <QPixmap>

#include <functional>

class QPainter;

// The state image of a row or node, in the order of the state image strip.
enum class StateImage {
    None = 0,     // no box
    EmptyBox,     // Unchecked
    Ticked,       // Checked: box with a green tick
    GreyTicked,   // Partial: grey box with a green tick
    ParentMarker, // the contents list's ".." row: box with a red arrow up and to the left
};

// The model role that answers a StateImage (as int) for column 0.
constexpr int StateImageRole = Qt::UserRole + 64;

StateImage TreeStateImage(CheckState state);
// The same state as Qt's CheckStateRole answers it.
Qt::CheckState QtCheckState(CheckState state);

namespace BrowserImages {

constexpr int kSize = 16;

// The image at the given device pixel ratio (1 and 2 are cached).
QPixmap StateImagePixmap(StateImage image, qreal devicePixelRatio);
// Closed folder; its selected form (QIcon::Selected) is the open folder.
QIcon FolderIcon();
QIcon OpenFolderIcon();
// A blue drive-like symbol for the backup itself (the top-level node).
QIcon BackupIcon();
// An icon drawn by `paint` on a 16 x 16 logical canvas, at ratios 1 and 2.
QIcon DrawnIcon(const std::function<void(QPainter&)>& paint);

} // namespace BrowserImages
