// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the lists show a row's status: a word in the user's language and a
// small icon drawn in code (a green tick for verified and saved, a grey ring
// for data not checked or without a checksum and for no data, an amber sign
// for the states that ask for a look, a red cross for damaged and not saved), and the amber ink and italic type that make a row
// that is not ok stand out without taking the red of a ticked row.

#include <QColor>
#include <QIcon>
#include <QString>
#include <QVariant>

#include <cstdint>

#include <cstddef>

class CatalogueStore;
enum class RowStatus : std::uint8_t;

QString StatusWord(RowStatus status);
// The word with the state's detail: "partly saved (15.1 KiB of 64.0 KiB)".
QString StatusLabel(const CatalogueStore& store, std::size_t row);
QIcon StatusIcon(RowStatus status);
// The ink of the status word of a row that is not ok, on `behind`: a dark
// amber on a light field, a light one on a dark field.
QColor NotOkInk(const QColor& behind);
// Italic type for a row that is not ok; nothing (the view's type) for an ok row.
QVariant StatusFont(RowStatus status);
