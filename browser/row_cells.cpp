// SPDX-License-Identifier: GPL-3.0-or-later
#include "row_cells.h"

#include "human_texts.h"
#include "mtf_date.h"
#include "texts.h"

#include <QDateTime>
#include <QLocale>

QString SizeText(bool located, std::uint64_t size)
{
    return located ? HumanBytesText(size) : QString();
}

QString ExactSizeText(bool located, std::uint64_t size)
{
    if (!located)
        return {};
    return Texts::Tr("%1 bytes").arg(QLocale().toString(static_cast<qulonglong>(size)));
}

QString DateText(std::uint64_t packedDate)
{
    const std::optional<std::int64_t> seconds = MtfDateSeconds(packedDate);
    if (!seconds)
        return {};
    return QLocale().toString(QDateTime::fromSecsSinceEpoch(*seconds), QLocale::ShortFormat);
}
