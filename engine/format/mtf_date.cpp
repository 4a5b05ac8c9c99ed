// SPDX-License-Identifier: GPL-3.0-or-later
#include "mtf_date.h"

namespace {

bool IsLeapYear(std::int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(std::int64_t year, unsigned month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to the given day of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

unsigned Bits(std::uint64_t packed, unsigned shift, unsigned width)
{
    return static_cast<unsigned>((packed >> shift) & ((std::uint64_t{1} << width) - 1));
}

} // namespace

std::uint64_t PackedMtfDate(ByteView bytes, std::size_t offset)
{
    if (!bytes.Contains(offset, 5))
        return 0;
    std::uint64_t packed = 0;
    for (std::size_t i = 0; i < 5; ++i)
        packed = (packed << 8) | bytes.data()[offset + i];
    return packed;
}

std::optional<std::int64_t> MtfDateSeconds(std::uint64_t packed)
{
    const std::int64_t year = Bits(packed, 26, 14);
    const unsigned month = Bits(packed, 22, 4);
    const unsigned day = Bits(packed, 17, 5);
    const unsigned hour = Bits(packed, 12, 5);
    const unsigned minute = Bits(packed, 6, 6);
    const unsigned second = Bits(packed, 0, 6);
    if (packed == 0 || year < 1601 || year > 9999 || month < 1 || month > 12 || day < 1
        || static_cast<int>(day) > DaysInMonth(year, month) || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}
