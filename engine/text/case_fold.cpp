// SPDX-License-Identifier: GPL-3.0-or-later
#include "case_fold.h"

namespace {

bool IsBetween(std::uint32_t c, std::uint32_t first, std::uint32_t last)
{
    return first <= c && c <= last;
}

// Latin Extended-A pairs capital and small letter as even/odd neighbours,
// except in 0x0139-0x0148 and 0x0179-0x017E where the capital is odd.
std::uint32_t FoldLatinExtendedA(std::uint32_t c)
{
    if (c == 0x0130 || c == 0x0131 || c == 0x0138 || c == 0x0149 || c == 0x017F)
        return c;
    if (c == 0x0178)
        return 0x00FF;
    const bool oddCapitals = IsBetween(c, 0x0139, 0x0148) || IsBetween(c, 0x0179, 0x017E);
    return (c % 2 == 1) == oddCapitals ? c + 1 : c;
}

} // namespace

std::uint32_t FoldCase(std::uint32_t c)
{
    if (IsBetween(c, 'A', 'Z') || (IsBetween(c, 0x00C0, 0x00DE) && c != 0x00D7))
        return c + 0x20;
    if (IsBetween(c, 0x0100, 0x017F))
        return FoldLatinExtendedA(c);
    if ((IsBetween(c, 0x0391, 0x03AB) && c != 0x03A2) || IsBetween(c, 0x0410, 0x042F))
        return c + 0x20;
    if (IsBetween(c, 0x0400, 0x040F))
        return c + 0x50;
    return c;
}
