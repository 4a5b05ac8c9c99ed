// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the window shows for a running scan, word for word.

#include "texts.h"

#include <QString>

#include <cstdint>

inline QString FileCountText(std::uint64_t filesFound)
{
    return Texts::Tr("Total File Found :") + QString::number(filesFound);
}

inline QString ScanPositionText(std::uint64_t position, std::uint64_t fileSize)
{
    return QString::number(position) + QStringLiteral(" \\ ") + QString::number(fileSize);
}
