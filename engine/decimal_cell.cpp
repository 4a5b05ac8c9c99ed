// SPDX-License-Identifier: GPL-3.0-or-later
#include "decimal_cell.h"

#include <limits>

namespace {

struct Parsed {
    bool negative = false;
    std::uint64_t magnitude = 0;
    bool overflow = false;
};

Parsed ParseDecimal(std::string_view text)
{
    Parsed parsed;
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r')))
        ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        parsed.negative = text[at++] == '-';
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        const unsigned digit = static_cast<unsigned>(text[at] - '0');
        if (parsed.magnitude > (kMax - digit) / 10)
            parsed.overflow = true;
        else
            parsed.magnitude = parsed.magnitude * 10 + digit;
    }
    return parsed;
}

} // namespace

std::int64_t ReadListInt64(std::string_view text)
{
    const Parsed parsed = ParseDecimal(text);
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (parsed.negative) {
        if (parsed.overflow || parsed.magnitude > kMax + 1)
            return std::numeric_limits<std::int64_t>::min();
        return parsed.magnitude == kMax + 1 ? std::numeric_limits<std::int64_t>::min()
                                            : -static_cast<std::int64_t>(parsed.magnitude);
    }
    if (parsed.overflow || parsed.magnitude > kMax)
        return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(parsed.magnitude);
}

std::uint64_t ReadListUInt64(std::string_view text)
{
    const Parsed parsed = ParseDecimal(text);
    if (parsed.negative)
        return 0;
    return parsed.overflow ? std::numeric_limits<std::uint64_t>::max() : parsed.magnitude;
}
