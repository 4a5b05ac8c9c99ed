// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the lists show a row's status: a word in the user's language and a
// small icon drawn in code (a green tick for ok and saved, an amber sign for
// the states that ask for a look, a grey ring for no data, a red cross for
// damaged and not saved), and the amber ink and italic type that make a row
// that is not ok stand out without taking the red of a ticked row.

#include <QColor>
#include <QIcon>
#include <QString>
#include <QVariant>

#include <cstdint>

enum class RowStatus : std::uint8_t;

QString StatusWord(RowStatus status);
QIcon StatusIcon(RowStatus status);
// The ink of the status word of a row that is not ok.
QColor NotOkInk();
// Italic type for a row that is not ok; nothing (the view's type) for an ok row.
QVariant StatusFont(RowStatus status);
