// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The contrast ratio of two colours as the accessibility guidelines measure
// it: (lighter + 0.05) / (darker + 0.05) of their relative luminances.

#include <QColor>

#include <algorithm>
#include <cmath>

inline double RelativeLuminance(const QColor& colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

inline double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
