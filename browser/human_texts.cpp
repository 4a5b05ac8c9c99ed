// SPDX-License-Identifier: GPL-3.0-or-later
#include "human_texts.h"

#include "texts.h"

QString HumanBytesText(std::uint64_t bytes, const QLocale& locale)
{
    return QString::fromStdString(HumanBytes(bytes)).replace(QLatin1Char('.'), locale.decimalPoint());
}

QString RateText(const RateMeter::Rate& rate, const QLocale& locale)
{
    return Texts::Tr("%1/s, %2 left")
        .arg(HumanBytesText(static_cast<std::uint64_t>(rate.bytesPerSecond), locale),
             QString::fromStdString(HumanDuration(rate.secondsLeft)));
}
